// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Hilfe/HelpOpener.h"
#include "Main/CommandTable.h"
#include "Main/SlotDocument.h"
#include "Main/Workspace.h"
#include "Recovery/Recovery.h"

#include <QMainWindow>
#include <QSize>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;
class TColorMemo;
class TCommandStates;
class TCompileCommand;
class TErrorList;
class TFindReplace;
class TLaunchCommands;
class TOptionForm;
class TPrintAndHelp;
class TPrompts;
class TShortcutDispatch;
class TStatusPanels;
struct TInisRecord;

// The one window the user works in: five editor slots, the error list, the
// commands. The window keeps the slots and their documents and wires every
// command; self-contained features (compile and error list, launches, find
// and replace, printing and help, the state refresh) are objects of their own
// that it owns and routes to. Every modal question goes through the prompt
// seam, so the window can be driven headless. Tests and users reach the
// commands through the controls, each named (objectName) as in the command table.
class TMainForm : public QMainWindow, private TWorkspace {
    Q_OBJECT
public:
    static constexpr int SlotCount = 5;
    // The window as first laid out, before the settings place it.
    static constexpr QSize DesignSize{639, 464};
    static constexpr QPoint DesignPos{566, 125};
    // The error list's area as first laid out: two entries high.
    static constexpr int DesignMessageAreaHeight = 41;

    // `inis` is the process's settings record: loaded here, written back when
    // the window closes. `arguments`: the command line without the program name.
    TMainForm(TInisRecord& inis, TPrompts& prompts, QStringList arguments = {},
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- the slot model: slots 1..SlotCount on pages 0..SlotCount-1 -----------
    TColorMemo* SlotMemo(int n) const; // nullptr for a number out of range
    int CurrentSlot() const;           // the slot on the active page; 1 when none
    TColorMemo* CurrentMemo() const override { return SlotMemo(CurrentSlot()); }
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
    // Offers what a run that did not end normally left, into the free slots,
    // and says when no copies of unsaved text can be kept. Run once at start,
    // after the command-line files are open.
    void OfferRecovery();
    // The secondary windows, once they exist. `showOptions` gives the dialog's result.
    void SetDialogs(std::function<int()> showOptions, std::function<void()> showInfo);
    // The options dialog, whose print page the print command reads when it prints.
    void SetPrintOptions(TOptionForm* options);
    // Where F1 hands the help file; the real desktop unless a test puts in its own.
    void SetHelpDesktop(THelpPlatform desktop);
    // A note beside the status panels, such as which JDK a first start took.
    void ShowNote(const QString& text);

    // Saves the current slot's file and compiles it; see TCompileCommand.
    bool CompileCurrentFile();
    // Starts the compiler kept warm for the JDK set now; again after it changed.
    void WarmUpCompiler();

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

    TEditorSlot& Slot(int n) { return Slots[n - 1]; }
    const TEditorSlot& Slot(int n) const { return Slots[n - 1]; }
    void ShowTabCaption(int n);
    // The pages while a slot is in use, otherwise a hint what to do.
    void ShowEditorPages(bool shown);

    // --- what the feature objects use (TWorkspace) ---------------------------------
    TWorkspace& Work() { return *this; }
    QWidget* Window() override { return this; }
    TInisRecord& SettingsRecord() override { return Inis; }
    TPrompts& Ask() override { return PromptSeam; }
    TStatusPanels& Status() override { return *StatusBarPanels; }
    bool AnySlotInUse() const override { return SlotInUse(1); }
    TSlotDocument& CurrentDocument() override { return Slot(CurrentSlot()).Document; }
    bool SaveCurrentFile() override;
    void UpdateCaretStatus() override;
    bool ShowFile(const QString& path) override;
    void MarkErrors(const datei::TErrorRows& rows) override;
    void Guard(const std::function<void()>& command) override;

    // --- building the window ----------------------------------------------------
    // Every menu, menu item, tool button and pop-up item, in the order they appear.
    std::vector<TCommandRow> CommandRows();
    void BuildCommands();
    QMenu* AddMenu(const TCommandRow& row);
    void AddCommand(const TCommandRow& row, QMenu* menu);
    void BuildEditorArea();
    void BuildMessageArea();
    // The user moves the border between editors and error list; it is kept between starts.
    int MessageAreaHeight() const;
    void SetMessageAreaHeight(int height);
    // The first compile with entries makes room for a few of them and their explanation.
    void MakeRoomForMessages();
    void ConnectEditor(TColorMemo* memo);
    QAction* ActionNamed(const QString& name) const;
    void RunOpeningHandler(QMenu* menu);
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void LoadSettings();
    void SaveSettings();
    void CentreWindow();

    // --- status and command states (TCommandStates does the work) ------------------
    void UpdateCommandStates();
    void ShowCurrentState();
    void RequestStates(bool commandStates);
    void ApplyRequestedStates();
    void ApplyTabStops();
    // The editors show line numbers as the settings say.
    void ApplyLineNumbers();
    void AutoIndent();
    // Gives all five editors the font; the first editor's font is Inis.Font.
    void ApplyEditorFont(const QFont& font);
    void DeleteCaretLine();

    // --- document commands ------------------------------------------------------------
    void OpenDocument(const QString& path);
    bool SaveCurrentFileAs();
    // A template's class declaration and header comment follow its first file name.
    void FollowFileName(TColorMemo* memo, const QString& path);
    // The folder the open and save dialogs start in when nothing else is asked for.
    QString DialogFolder() const;
    void AddRecentFile(const QString& path);
    // The save question for the current slot; false when the command must stop.
    bool AskSaveChanges();
    // New's steps, the editor then holding `text`; false when the save question stopped them.
    bool NewDocument(QString text = QString());
    // With all five slots in use New and Open replace the fifth slot's text:
    // the save question then concerns that slot. False when it stopped.
    bool AskBeforeReplacingFifthSlot();
    // Save question, then CloseCurrentSlot; false when the question stopped it.
    bool CloseCurrentDocument();
    // Closes every slot, current one first; stops at the first slot kept open.
    bool CloseAllDocuments();
    void RecentFileClick(int n);

    // --- crash recovery (the copies are TRecovery's) -------------------------------------
    // Tells recovery of the document just put into slot n, once its record is complete.
    void TrackDocument(int n);
    // Puts a leftover into the next free slot, modified; the note about its file, or "".
    QString RestoreDocument(const recovery::TLeftover& leftover);
    // An editor's text changed: its copy becomes due, or goes when the text is the file's again.
    void NoteTextChange(const TColorMemo* memo);

    // --- handlers of the window's own commands (the command table connects them) ----
    void Datei1Click();
    void Neu1Click();
    void NeuApplet1Click();
    void NeuApplication1Click();
    void Oeffnen1Click();
    void Speichern1Click();
    void SpeichernUnter1Click();
    void Schliessen1Click();
    void AllesSchliessen1Click();
    void Beenden1Click();
    void Rueckgaengig1Click();
    void Ausschneiden1Click();
    void Kopieren1Click();
    void Einfuegen1Click();
    void Loeschen1Click();
    void Allesmarkieren1Click();
    void Font1Click();
    void Optionen1Click();
    void PC_EditChange();
    void CMemo1Change(TColorMemo* sender);
    void CMemo1Click(TColorMemo* sender);
    void CMemo1KeyDown(TColorMemo* sender, int& key, Qt::KeyboardModifiers modifiers);
    void CMemo1KeyPress(TColorMemo* sender, QChar& key);

    // --- state ---------------------------------------------------------------------------
    TInisRecord& Inis;
    TPrompts& PromptSeam;
    QStringList Arguments;
    std::array<TEditorSlot, SlotCount> Slots;
    int Last = -1;              // LastSlot()
    bool EnterPressed = false;  // the last character typed was Enter
    bool ChangingSlots = false; // the page changes by program, not by the user
    QString OpenDialogInitialDir;
    QString LastDialogFolder; // of the last file chosen in an open or save dialog
    std::function<int()> ShowOptions;
    // Keeps copies of unsaved text for after a crash.
    recovery::TRecovery Recovery{this};

    // --- controls (objectName = the name in the command table or below) -------------------
    QToolBar* ToolBar1 = nullptr;
    QFrame* P_Edit = nullptr;
    QTabWidget* PC_Edit = nullptr;
    QLabel* EmptyHint = nullptr;
    QFrame* P_Message = nullptr;
    QSplitter* EditorAndMessages = nullptr;
    bool MessageRoomMade = false;
    QMenu* PopupMenu = nullptr;
    // Every menu with the handler run when it opens (also before its shortcuts).
    std::vector<std::pair<QMenu*, TCommandRow::THandler>> MenuOpeners;
    std::unique_ptr<TShortcutDispatch> Shortcuts;

    // --- the feature objects -----------------------------------------------------------------
    std::unique_ptr<TStatusPanels> StatusBarPanels;
    std::unique_ptr<TCommandStates> States;
    std::unique_ptr<TErrorList> ErrorList;
    std::unique_ptr<TCompileCommand> Compile;
    std::unique_ptr<TLaunchCommands> Launches;
    std::unique_ptr<TFindReplace> FindReplace;
    std::unique_ptr<TPrintAndHelp> PrintAndHelp;
};
