// The compile command: the JDK directory check, the compiler on the current
// slot's file, its messages in the error list, and the jumps from an entry to
// the place it names.
#include "ColMemo/ColorMemo.h"
#include "Datei/CompilerCall.h"
#include "Datei/CompilerMessages.h"
#include "DosCall/RunCaptured.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QScopedValueRollback>
#include <QTemporaryDir>

namespace {

constexpr int ErrorListItemHeight = 17;

const QColor Fuchsia(255, 0, 255);
const QColor Red(255, 0, 0);

// The hourglass while the compiler runs, gone however the run ends.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

void SetTextColour(QListWidget* list, const QColor& colour) {
    QPalette palette = list->palette();
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Text, colour);
    list->setPalette(palette);
}

} // namespace

void TMainForm::ConnectErrorList() {
    connect(ListBox, &QListWidget::itemClicked, this,
            [this] { Guard([this] { ListBoxClick(); }); });
    connect(ListBox, &QListWidget::itemDoubleClicked, this,
            [this] { Guard([this] { ListBoxDblClick(); }); });
}

bool TMainForm::CheckJdkDir() {
    if (!Inis.JdkDir.isEmpty())
        return true;
    Ask.Message(this, QStringLiteral("Das JDK-Verzeichnis ist noch nicht eingestellt "
                                     "(siehe Menü->Bearbeiten->Optionen)"));
    return false;
}

void TMainForm::Compiler1Click() {
    if (Compiling)
        return;
    // Saved here only: a second save inside the compile would make the
    // backup a copy of the file just written and lose the previous version.
    if (CheckJdkDir() && SaveCurrentFile())
        CompileSavedFile();
}

bool TMainForm::CompileCurrentFile() {
    if (Compiling)
        return false;
    SaveCurrentFile();
    return CompileSavedFile();
}

bool TMainForm::CompileSavedFile() {
    if (Compiling || !AnySlotInUse())
        return false;
    const QScopedValueRollback<bool> compiling(Compiling, true);
    TSlotDocument& document = CurrentDocument();
    const QString path = document.File;
    // The launches write their files beside the source, in this directory.
    QDir::setCurrent(QFileInfo(path).path());
    // A file beginning with a byte-order mark is compiled from a copy without
    // it; its classes still go beside the source, its messages name the source.
    QTemporaryDir markFree;
    QString compiledFile = path;
    if (document.Encoding == datei::TFileEncoding::Utf8WithBom && markFree.isValid())
        compiledFile = datei::CopyWithoutByteOrderMark(path, markFree.path());
    if (compiledFile.isEmpty())
        compiledFile = path;
    const datei::TCompilerCall call =
        datei::CompilerCall(Inis.JdkDir, compiledFile, document.Encoding,
                            compiledFile == path ? QString() : QDir::currentPath());
    SetStatusText(ProgressPanel, QStringLiteral("Compiling: ") + path);

    document.ErrorEntries.clear();
    document.ErrorPositions.clear();
    document.RawErrors = false;
    ListBox->setEnabled(true);
    ListBox->setToolTip(QString());
    ShowErrorList();

    doscall::TCapture run;
    {
        const TWaitCursor hourglass;
        run = doscall::RunCaptured(call.Program, call.Arguments, QDir::currentPath());
    }
    for (const QString& message : run.Messages)
        Ask.Message(this, message);
    if (!run.Ran) {
        Ask.Message(this, QStringLiteral("Fehler beim Aufruf des Compiler! Bitte überprüfen Sie "
                                         "den JDK-Pfad unter Bearbeiten->Optionen!"));
        return false;
    }

    QString captured = run.Text();
    if (compiledFile != path)
        captured.replace(compiledFile, path);
    const datei::TCompilerMessages messages = datei::ParseCompilerMessages(captured, path);
    document.ErrorEntries = messages.Entries;
    document.ErrorPositions = messages.Positions;
    if (messages.RawFollows)
        ShowRawCompilerOutput(captured);
    ShowErrorList();
    // Warnings alone do not fail a compile; the caret stays where the user is.
    const bool compiled = run.Succeeded();
    SetStatusText(ProgressPanel, compiled ? QStringLiteral("Fertig") : QStringLiteral("Fehler"));
    if (!compiled)
        JumpToFirstError();
    return compiled;
}

void TMainForm::ShowRawCompilerOutput(const QString& captured) {
    TSlotDocument& document = CurrentDocument();
    for (const QString& line : datei::RawCompilerLines(captured)) {
        document.ErrorEntries.append(line);
        document.ErrorPositions.append(datei::TErrorPosition{});
    }
    document.RawErrors = true;
    ShowErrorList();
}

void TMainForm::ShowErrorList() {
    // The introduction stays until the first compile.
    if (!ListBox->isEnabled())
        return;
    static const TSlotDocument none;
    const TSlotDocument& document = AnySlotInUse() ? CurrentDocument() : none;
    // Cheap when nothing changed: the lists share their data then.
    if (document.ErrorEntries == ShownErrorEntries && document.RawErrors == ShownRawErrors &&
        ListBox->count() == ShownErrorEntries.size())
        return;
    ShownErrorEntries = document.ErrorEntries;
    ShownRawErrors = document.RawErrors;
    ListBox->clear();
    ListBox->setToolTip(QString());
    ListBox->addItems(ShownErrorEntries);
    for (int i = 0; i < ListBox->count(); ++i)
        ListBox->item(i)->setSizeHint(QSize(0, ErrorListItemHeight));
    SetTextColour(ListBox, ShownRawErrors ? Red : Fuchsia);
}

void TMainForm::JumpToFirstError() {
    ListBox->setCurrentRow(0);
    CurrentMemo()->setFocus();
    if (ListBox->currentRow() == 0)
        JumpToError(0);
}

void TMainForm::JumpToError(int index) {
    if (!AnySlotInUse())
        return;
    const QList<datei::TErrorPosition>& positions = CurrentDocument().ErrorPositions;
    if (index < 0 || index >= positions.size())
        return;
    // The compiler counts lines from 1 and marks the character itself.
    TColorMemo* memo = CurrentMemo();
    memo->SetCaretLine(positions[index].Line - 1);
    memo->SetCaretCol(positions[index].Column - 1);
    UpdateCaretStatus();
}

void TMainForm::ListBoxClick() {
    if (const QListWidgetItem* item = ListBox->currentItem())
        ListBox->setToolTip(item->text());
}

void TMainForm::ListBoxDblClick() {
    const QListWidgetItem* item = ListBox->currentItem();
    if (!item || !item->isSelected())
        return;
    CurrentMemo()->setFocus();
    JumpToError(ListBox->currentRow());
}
