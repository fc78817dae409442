// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/MainForm.h"

#include "ColMemo/ColorMemo.h"
#include "ColMemo/JavaRules.h"
#include "Main/CommandStates.h"
#include "Main/CompileCommand.h"
#include "Main/ErrorList.h"
#include "Main/FindReplace.h"
#include "Main/Inis.h"
#include "Main/LaunchCommands.h"
#include "Main/PrintAndHelp.h"
#include "Main/Prompts.h"
#include "Main/ShortcutDispatch.h"
#include "Main/StatusPanels.h"

#include <QCloseEvent>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

TMainForm::TMainForm(TInisRecord& inis, TPrompts& prompts, QStringList arguments, QWidget* parent)
    : QMainWindow(parent), Inis(inis), PromptSeam(prompts), Arguments(std::move(arguments)) {
    Q_INIT_RESOURCE(kodiwerk);
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kodiwerk"));
    resize(DesignSize);
    move(DesignPos);
    setCentralWidget(new QWidget(this));
    auto* layout = new QVBoxLayout(centralWidget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    StatusBarPanels = std::make_unique<TStatusPanels>(statusBar());
    States = std::make_unique<TCommandStates>(Work(), [this] { ErrorList->ShowDocument(); });
    FindReplace = std::make_unique<TFindReplace>(Work());
    PrintAndHelp = std::make_unique<TPrintAndHelp>(Work());
    BuildEditorArea();
    // The first editor declares the Java colours; the others copy them at creation.
    colmemo::AddJavaRules(Slot(1).Memo->ColorRules());
    BuildMessageArea();
    Compile = std::make_unique<TCompileCommand>(Work(), *ErrorList);
    Launches = std::make_unique<TLaunchCommands>(Work(), *Compile);
    BuildCommands();
    layout->addWidget(EditorAndMessages, 1);

    connect(PC_Edit, &QTabWidget::currentChanged, this, [this] {
        if (ChangingSlots)
            return;
        Guard([this] { PC_EditChange(); });
        CurrentMemo()->setFocus();
    });
    Shortcuts = std::make_unique<TShortcutDispatch>(
        *this, *PopupMenu, [this](QMenu* menu) { RunOpeningHandler(menu); });
    Guard([this] { FormCreate(); });
    // A copy that cannot be written is said where it interrupts nothing:
    // it may come during a question or a compile.
    connect(&Recovery, &recovery::TRecovery::ProblemOccurred, this, &TMainForm::ShowNote);
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    // Editors 2..5 colour with copies of the first editor's rules.
    for (int n = 2; n <= SlotCount; ++n)
        Slot(n).Memo->SetColorRules(Slot(1).Memo->ColorRules());
    Last = -1;
    ChangingSlots = true;
    for (int n = 1; n <= SlotCount; ++n) {
        Slot(n).Document = TSlotDocument();
        PC_Edit->setTabVisible(n - 1, false);
    }
    ChangingSlots = false;
    ShowEditorPages(false);
    LoadSettings();
}

void TMainForm::SetDialogs(std::function<int()> showOptions, std::function<void()> showInfo) {
    ShowOptions = std::move(showOptions);
    PrintAndHelp->SetShowInfo(std::move(showInfo));
}

void TMainForm::SetPrintOptions(TOptionForm* options) {
    PrintAndHelp->SetPrintOptions(options);
}

void TMainForm::SetHelpDesktop(THelpPlatform desktop) {
    PrintAndHelp->SetHelpDesktop(std::move(desktop));
}

void TMainForm::ShowNote(const QString& text) {
    Status().SetNote(text);
}

bool TMainForm::CompileCurrentFile() {
    return Compile->CompileCurrentFile();
}

void TMainForm::WarmUpCompiler() {
    Compile->WarmUp();
}

void TMainForm::Guard(const std::function<void()>& command) {
    mainform::RunGuarded(Ask(), this, command);
}

void TMainForm::RunOpeningHandler(QMenu* menu) {
    // A key typed just before decides what the command finds enabled.
    ApplyRequestedStates();
    for (const auto& [opened, handler] : MenuOpeners)
        if (opened == menu && handler)
            Guard(handler);
}

void TMainForm::ConnectEditor(TColorMemo* memo) {
    memo->OnChange = [this](TColorMemo* sender) {
        NoteTextChange(sender);
        Guard([&] { CMemo1Change(sender); });
    };
    memo->OnClick = [this](TColorMemo* sender) { Guard([&] { CMemo1Click(sender); }); };
    memo->OnKeyDown = [this](TColorMemo* sender, int& key, Qt::KeyboardModifiers modifiers) {
        Guard([&] { CMemo1KeyDown(sender, key, modifiers); });
    };
    memo->OnKeyPress = [this](TColorMemo* sender, QChar& key) {
        Guard([&] { CMemo1KeyPress(sender, key); });
    };
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo, &QWidget::customContextMenuRequested, this, [this, memo](const QPoint& pos) {
        PopupMenu->exec(memo->viewport()->mapToGlobal(pos));
    });
    // The key-down update shows where the caret was before the key; this one
    // follows it to where the key (or a drag, or a find) put it.
    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, [this, memo] {
        if (AnySlotInUse() && memo == CurrentMemo())
            RequestStates(false);
    });
}

// ---- status and command states ---------------------------------------------------

void TMainForm::UpdateCommandStates() {
    States->UpdateCommandStates();
}

void TMainForm::UpdateCaretStatus() {
    States->UpdateCaretStatus();
}

void TMainForm::ShowCurrentState() {
    States->ShowCurrentState();
}

void TMainForm::RequestStates(bool commandStates) {
    States->Request(commandStates);
}

void TMainForm::ApplyRequestedStates() {
    States->ApplyRequested();
}

void TMainForm::ApplyEditorFont(const QFont& font) {
    for (TEditorSlot& slot : Slots)
        slot.Memo->setFont(font);
    Inis.Font = Slot(1).Memo->font();
}

// ---- the way out ----------------------------------------------------------------------

void TMainForm::Beenden1Click() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // The compile ends first; the window closes as usual when it has.
    if (Compile->IsCompiling()) {
        Compile->CancelAndClose();
        event->ignore();
        return;
    }
    bool mayClose = true;
    Guard([&] { mayClose = FormCloseQuery(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TMainForm::FormClose() {
    Guard([this] { SaveSettings(); });
    // Every document is closed by now: the run's copies go.
    Recovery.Exit();
}
