#include "Main/MainForm.h"

#include "ColMemo/ColorMemo.h"
#include "ColMemo/JavaRules.h"
#include "Main/Inis.h"
#include "Main/Prompts.h"
#include "Main/RegistryIni.h"
#include "Main/ShortcutDispatch.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QVBoxLayout>

TInisRecord TInis;

TMainForm::TMainForm(Prompts& prompts, QStringList arguments, QWidget* parent)
    : QMainWindow(parent), Ask(prompts), Arguments(std::move(arguments)) {
    Q_INIT_RESOURCE(kodiwerk);
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Kodiwerk"));
    resize(639, 464);
    move(566, 125);
    setCentralWidget(new QWidget(this));
    auto* layout = new QVBoxLayout(centralWidget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildMenus();
    BuildToolBar();
    BuildPopupMenu();
    BuildEditorArea();
    // The first editor declares the Java colours; the others copy them at creation.
    colmemo::AddJavaRules(CMemo[1]->ColorRules());
    BuildMessageArea();
    BuildStatusBar();
    layout->addWidget(P_Edit, 1);
    layout->addWidget(P_Message);

    const std::pair<QAction*, void (TMainForm::*)()> handlers[] = {
        {Neu1, &TMainForm::Neu1Click},
        {Neu2, &TMainForm::Neu1Click},
        {NeuApplet1, &TMainForm::NeuApplet1Click},
        {NeuApplication1, &TMainForm::NeuApplication1Click},
        {Oeffnen1, &TMainForm::Oeffnen1Click},
        {Oeffnen2, &TMainForm::Oeffnen1Click},
        {Speichern1, &TMainForm::Speichern1Click},
        {Speichern2, &TMainForm::Speichern1Click},
        {Speichern3, &TMainForm::Speichern1Click},
        {SpeichernUnter1, &TMainForm::SpeichernUnter1Click},
        {SpeichernUnter3, &TMainForm::SpeichernUnter1Click},
        {Schliessen1, &TMainForm::Schliessen1Click},
        {Schliessen3, &TMainForm::Schliessen1Click},
        {AllesSchliessen1, &TMainForm::AllesSchliessen1Click},
        {Drucken1, &TMainForm::Drucken1Click},
        {Drucken2, &TMainForm::Drucken1Click},
        {Druckereinrichten1, &TMainForm::Druckereinrichten1Click},
        {Beenden1, &TMainForm::Beenden1Click},
        {Rueckgaengig1, &TMainForm::Rueckgaengig1Click},
        {Rueckgaengig3, &TMainForm::Rueckgaengig1Click},
        {Ausschneiden1, &TMainForm::Ausschneiden1Click},
        {Ausschneiden2, &TMainForm::Ausschneiden1Click},
        {Ausschneiden3, &TMainForm::Ausschneiden1Click},
        {Kopieren1, &TMainForm::Kopieren1Click},
        {Kopieren2, &TMainForm::Kopieren1Click},
        {Kopieren3, &TMainForm::Kopieren1Click},
        {Einfuegen1, &TMainForm::Einfuegen1Click},
        {Einfuegen2, &TMainForm::Einfuegen1Click},
        {Einfuegen3, &TMainForm::Einfuegen1Click},
        {Loeschen1, &TMainForm::Loeschen1Click},
        {Loeschen3, &TMainForm::Loeschen1Click},
        {Allesmarkieren1, &TMainForm::Allesmarkieren1Click},
        {Allesmarkieren3, &TMainForm::Allesmarkieren1Click},
        {Suchen1, &TMainForm::Suchen1Click},
        {Suchen2, &TMainForm::Suchen1Click},
        {Ersetzen1, &TMainForm::Ersetzen1Click},
        {Ersetzen2, &TMainForm::Ersetzen1Click},
        {Font1, &TMainForm::Font1Click},
        {Optionen1, &TMainForm::Optionen1Click},
        {Compiler1, &TMainForm::Compiler1Click},
        {Compiler2, &TMainForm::Compiler1Click},
        {Compiler3, &TMainForm::Compiler1Click},
        {Browser1, &TMainForm::Browser1Click},
        {Browser2, &TMainForm::Browser1Click},
        {Browser3, &TMainForm::Browser1Click},
        {Runner1, &TMainForm::Runner1Click},
        {Runner2, &TMainForm::Runner1Click},
        {Runner3, &TMainForm::Runner1Click},
        {Inhalt1, &TMainForm::Inhalt1Click},
        {Hilfe2, &TMainForm::Inhalt1Click},
        {Info1, &TMainForm::Info1Click},
    };
    for (const auto& [action, handler] : handlers) {
        auto method = handler;
        connect(action, &QAction::triggered, this,
                [this, method] { Guard([this, method] { (this->*method)(); }); });
    }
    connect(PC_Edit, &QTabWidget::currentChanged, this, [this] {
        if (ChangingSlots)
            return;
        Guard([this] { PC_EditChange(); });
        CurrentMemo()->setFocus();
    });

    Shortcuts = std::make_unique<TShortcutDispatch>(*this);
    Guard([this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    // Editors 2..5 colour with copies of the first editor's rules.
    for (int n = 2; n <= SlotCount; ++n)
        CMemo[n]->SetColorRules(CMemo[1]->ColorRules());
    LastSlot = -1;
    ChangingSlots = true;
    for (int n = 1; n <= SlotCount; ++n) {
        SlotFile[n] = NoName;
        PC_Edit->setTabVisible(n - 1, false);
    }
    ChangingSlots = false;
    PC_Edit->hide();
    LoadSettings();
}

void TMainForm::Guard(const std::function<void()>& command) {
    try {
        command();
    } catch (const EKodiwerkError& error) {
        Ask.Error(this, error.Text);
    }
}

void TMainForm::ConnectEditor(TColorMemo* memo) {
    memo->OnChange = [this](TColorMemo* sender) { Guard([&] { CMemo1Change(sender); }); };
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
        if (LastSlot >= 0 && memo == CurrentMemo())
            UpdateCaretStatus();
    });
}

QString TMainForm::StatusText(int panel) const {
    return StatusPanel[panel]->text();
}

void TMainForm::SetStatusText(int panel, const QString& text) {
    StatusPanel[panel]->setText(text);
    StatusPanel[panel]->repaint();
}

void TMainForm::ApplyEditorFont(const QFont& font) {
    for (int n = 1; n <= SlotCount; ++n)
        CMemo[n]->setFont(font);
    TInis.Font = CMemo[1]->font();
}

void TMainForm::Beenden1Click() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
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
}
