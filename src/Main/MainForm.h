#pragma once

#include "Hilfe/HelpOpener.h"
#include "Main/CommandTable.h"
#include "Main/SlotDocument.h"

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QPrinter;
class QTabWidget;
class QToolBar;
class TColorMemo;
class TPrompts;
class TShortcutDispatch;
class TFindDialog;
class TReplaceDialog;
class TOptionForm;
struct TInisRecord;

// The one window the user works in: five editor slots, the error list, the
// commands. Every modal question goes through `Ask` (the prompt seam), so the
// window can be driven headless. Tests and users reach the commands through
// the controls, each named (objectName) as in the command table.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int SlotCount = 5;
    // The window as first laid out, before the settings place it.
    static constexpr QSize DesignSize{639, 464};
    static constexpr QPoint DesignPos{566, 125};

    // `inis` is the process's settings record: loaded here, written back when
    // the window closes. `arguments`: the command line without the program name.
    TMainForm(TInisRecord& inis, TPrompts& prompts, QStringList arguments = {},
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- the slot model: slots 1..SlotCount on pages 0..SlotCount-1 -----------
    TColorMemo* SlotMemo(int n) const; // nullptr for a number out of range
    int CurrentSlot() const;           // the slot on the active page; 1 when none
    TColorMemo* CurrentMemo() const { return SlotMemo(CurrentSlot()); }
    // Zero-based page of the highest slot in use; -1 when none is.
    int LastSlot() const { return Last; }
    // Slots in use are always 1..LastSlot()+1.
    bool SlotInUse(int n) const { return n >= 1 && n <= Last + 1; }
    const QString& SlotFile(int n) const;
    // Page k becomes the active page; k < 0 hides the editor area.
    void ShowSlot(int page);
    // Takes the next free slot (the fifth again when all are in use) for a
    // document; the caller fills its editor.
    void OpenSlot(const QString& path);
    // Removes the current slot; the later ones move down to close the gap.
    void CloseCurrentSlot();

    // Opens the file named on the command line, if it is a ".java" file.
    // Run once every window exists.
    void OpenCommandLineFile();
    // The secondary windows, once they exist. `showOptions` gives the dialog's result.
    void SetDialogs(std::function<int()> showOptions, std::function<void()> showInfo);
    // The options dialog, whose print page the print command reads when it prints.
    void SetPrintOptions(TOptionForm* options) { PrintOptions = options; }
    // Where F1 hands the help file; the real desktop unless a test puts in its own.
    void SetHelpDesktop(THelpPlatform desktop) { HelpDesktop = std::move(desktop); }

    // Saves the current slot's file (an unnamed one whose name dialog is
    // cancelled compiles as "noname.java" in the current directory) and runs
    // the compiler on it, its messages into the error list. True when the
    // compiler ran and ended with exit status 0, warnings or not; false also
    // while another compile runs. The first step of the launches.
    bool CompileCurrentFile();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // One editor page: its controls and the document in it.
    struct TEditorSlot {
        QWidget* TabSheet = nullptr;
        QFrame* Panel = nullptr;
        TColorMemo* Memo = nullptr;
        TSlotDocument Document;
    };
    enum TStatusPanel { CaretPanel = 0, ModifiedPanel = 1, ProgressPanel = 2, PanelCount = 3 };

    TEditorSlot& Slot(int n) { return Slots[n - 1]; }
    const TEditorSlot& Slot(int n) const { return Slots[n - 1]; }
    bool AnySlotInUse() const { return SlotInUse(1); }
    TSlotDocument& CurrentDocument() { return Slot(CurrentSlot()).Document; }
    void ShowTabCaption(int n);

    // --- building the window ----------------------------------------------------
    void BuildCommands();
    void BuildEditorArea();
    void BuildMessageArea();
    void BuildStatusBar();
    void ConnectEditor(TColorMemo* memo);
    QAction* ActionNamed(const QString& name) const;
    void RunOpeningHandler(QMenu* menu);
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void LoadSettings();
    void SaveSettings();
    void CentreWindow();

    // --- status and command states ------------------------------------------------
    void UpdateCommandStates();
    void UpdateCaretStatus();
    // Caption, marker, command states and caret status of the page shown.
    void ShowCurrentState();
    // Editor events ask for the caret status (and the command states); what they ask for is
    // brought up to date once per pass of the event loop, before the window paints, so a burst
    // of keys costs one update. A command started from a key applies it first.
    void RequestStates(bool commandStates);
    void ApplyRequestedStates();
    bool ClipboardHasText();
    void SetStatusText(TStatusPanel panel, const QString& text);
    void SetStatusNote(const QString& text);
    void ApplyTabStops();
    void AutoIndent();
    // Gives all five editors the font; the first editor's font is Inis.Font.
    void ApplyEditorFont(const QFont& font);
    void SelectNextOccurrence(const QString& what);
    void DeleteCaretLine();
    void FindDialogFind();
    void ReplaceDialogFind();
    void ReplaceDialogReplace();

    // --- document commands ------------------------------------------------------------
    void OpenDocument(const QString& path);
    bool SaveCurrentFile();
    bool SaveCurrentFileAs();
    void AddRecentFile(const QString& path);
    // The save question for the current slot; false when the command must stop.
    bool AskSaveChanges();
    // New's steps; false when the save question stopped them.
    bool NewDocument();
    // With all five slots in use New and Open replace the fifth slot's text:
    // the save question then concerns that slot. False when it stopped.
    bool AskBeforeReplacingFifthSlot();
    // Save question, then CloseCurrentSlot; false when the question stopped it.
    bool CloseCurrentDocument();
    // Closes every slot, current one first; stops at the first slot kept open.
    bool CloseAllDocuments();
    void RecentFileClick(int n);

    // --- compiling and the error list ---------------------------------------------------
    // False, after saying so, while no JDK directory is set.
    bool CheckJdkDir();
    // The compile without the save before it.
    bool CompileSavedFile();
    // Appends every line of the compiler's output to the list, raw, in red.
    void ShowRawCompilerOutput(const QString& captured);
    // Selects the first entry and puts the caret where it points.
    void JumpToFirstError();
    void JumpToError(int index);
    // The error list of the document shown (after the first compile).
    void ShowErrorList();
    void ConnectErrorList();

    // --- launches ----------------------------------------------------------------------------
    // Compiles, then runs the class with the JDK's interpreter through a
    // script beside the source, in a terminal of its own.
    void RunApplication();
    // Compiles, then shows the class through a page beside the source in
    // the JDK's applet viewer, or in Kodiwerk's own where the JDK has none.
    void RunApplet();
    // Kodiwerk's viewer on `page`, compiled first when this JDK has no copy yet.
    bool StartOwnAppletViewer(const QString& page, const QString& workingDir);

    // Runs a command; a failure it does not test for ends it with the general error box.
    void Guard(const std::function<void()>& command);

    // --- handlers (the command table connects them) --------------------------------------
    void Datei1Click();
    void Neu1Click();
    void NeuApplet1Click();
    void NeuApplication1Click();
    void Oeffnen1Click();
    void Speichern1Click();
    void SpeichernUnter1Click();
    void Schliessen1Click();
    void AllesSchliessen1Click();
    void Drucken1Click();
    void Druckereinrichten1Click();
    void F1Click() { RecentFileClick(1); }
    void F2Click() { RecentFileClick(2); }
    void F3Click() { RecentFileClick(3); }
    void F4Click() { RecentFileClick(4); }
    void F5Click() { RecentFileClick(5); }
    void Beenden1Click();
    void Bearbeiten1Click() { UpdateCommandStates(); }
    void PopupMenuPopup() { UpdateCommandStates(); }
    void Rueckgaengig1Click();
    void Ausschneiden1Click();
    void Kopieren1Click();
    void Einfuegen1Click();
    void Loeschen1Click();
    void Allesmarkieren1Click();
    void Suchen1Click();
    void Ersetzen1Click();
    void Font1Click();
    void Optionen1Click();
    void Compiler1Click();
    void ListBoxClick();
    void ListBoxDblClick();
    void Browser1Click();
    void Runner1Click();
    void Inhalt1Click();
    void Info1Click();
    void PC_EditChange();
    void CMemo1Change(TColorMemo* sender);
    void CMemo1Click(TColorMemo* sender);
    void CMemo1KeyDown(TColorMemo* sender, int& key, Qt::KeyboardModifiers modifiers);
    void CMemo1KeyPress(TColorMemo* sender, QChar& key);

    // --- state ---------------------------------------------------------------------------
    TInisRecord& Inis;
    TPrompts& Ask;
    QStringList Arguments;
    std::array<TEditorSlot, SlotCount> Slots;
    int Last = -1;              // LastSlot()
    bool EnterPressed = false;  // the last character typed was Enter
    bool ChangingSlots = false; // the page changes by program, not by the user
    bool CaretStatusRequested = false;
    bool CommandStatesRequested = false;
    bool StatesPosted = false; // the update of the requested states is on its way
    // Asking the clipboard is a round trip to the window system: its answer is kept until the
    // clipboard reports a change.
    bool ClipboardKnown = false;
    bool ClipboardText = false;
    QString OpenDialogInitialDir;
    bool Compiling = false; // a compile runs; no second one starts
    // What ListBox shows once a compile has taken it over from its introduction.
    QStringList ShownErrorEntries;
    bool ShownRawErrors = false;
    std::function<int()> ShowOptions;
    std::function<void()> ShowInfo;
    TOptionForm* PrintOptions = nullptr;
    THelpPlatform HelpDesktop = THelpPlatform::Desktop();
    // One printer for the whole run, so the printer set-up holds for later jobs.
    std::unique_ptr<QPrinter> Printer;
    QPrinter& ThePrinter();

    // --- controls (objectName = the name in the command table or below) -------------------
    QToolBar* ToolBar1 = nullptr;
    QFrame* P_Edit = nullptr;
    QTabWidget* PC_Edit = nullptr;
    QFrame* P_Message = nullptr;
    QListWidget* ListBox = nullptr;
    std::array<QLabel*, PanelCount> StatusPanel{};
    // Beside the panels: what a save has to tell beyond "Fertig"; cleared by
    // the next progress text.
    QLabel* StatusNote = nullptr;
    QMenu* PopupMenu = nullptr;
    // Modeless, owned by the window, created when first shown.
    TFindDialog* FindDialog = nullptr;
    TReplaceDialog* ReplaceDialog = nullptr;
    // Every command control with the rule that enables it.
    std::vector<std::pair<QAction*, TEnabledWhen>> Commands;
    // Every menu with the handler run when it opens (also before its shortcuts).
    std::vector<std::pair<QMenu*, TCommandRow::THandler>> MenuOpeners;
    std::unique_ptr<TShortcutDispatch> Shortcuts;
};
