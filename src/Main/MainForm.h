#pragma once

#include "Datei/SourceFile.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QTabWidget;
class QToolBar;
class TColorMemo;
class Prompts;
class TShortcutDispatch;
class TFindDialog;
class TReplaceDialog;

// The one window the user works in: five editor slots, the error list, the
// commands. Every modal question goes through `Ask` (the prompt seam), so the
// window can be driven headless.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int SlotCount = 5;
    static inline const QString NoName = QStringLiteral("noname.java");

    // `arguments` are the command-line arguments without the program name.
    explicit TMainForm(Prompts& prompts, QStringList arguments = {}, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- slot model --------------------------------------------------------
    TColorMemo* SlotMemo(int n) const; // n = 1..5, nullptr otherwise
    int CurrentSlot() const;
    TColorMemo* CurrentMemo() const { return SlotMemo(CurrentSlot()); }
    void ShowSlot(int page);
    void OpenSlot(const QString& path);
    void CloseCurrentSlot();
    int LastSlot = -1;                 // zero-based page of the highest slot in use
    std::array<QString, 6> SlotFile{}; // [1..5]: full path or "noname.java"
    bool EnterPressed = false;
    bool ChangingSlots = false; // the page changes by program, not by the user

    // --- status and command states ------------------------------------------
    void UpdateCommandStates();
    void UpdateCaretStatus();
    void ApplyTabStops();
    void AutoIndent();
    // Gives all five editors the font; the first editor's font is TInis.Font.
    void ApplyEditorFont(const QFont& font);
    QString StatusText(int panel) const;
    void SetStatusText(int panel, const QString& text);
    // Modeless, owned by the window, created when first shown.
    TFindDialog* FindDialog = nullptr;
    TReplaceDialog* ReplaceDialog = nullptr;
    void FindDialogFind();
    void ReplaceDialogFind();
    void ReplaceDialogReplace();
    // Find next of `what` in the current editor; nothing happens when not found.
    void SelectNextOccurrence(const QString& what);
    // Ctrl+Y: removes the caret's line and its break; cannot be undone.
    void DeleteCaretLine();

    // --- document commands -----------------------------------------------------
    void OpenDocument(const QString& path);
    void OpenCommandLineFile();
    bool SaveCurrentFile();
    bool SaveCurrentFileAs();
    void AddRecentFile(const QString& path);
    // The save question for the current slot; false when the command must stop.
    bool AskSaveChanges();
    QString OpenDialogInitialDir; // the open dialog's initial directory
    // [1..5]: how each slot's file is written back; moves with the slot's text.
    std::array<datei::TFileEncoding, 6> SlotEncoding{};
    // New's steps; false when the save question stopped them.
    bool NewDocument();
    // With all five slots in use New and Open replace the fifth slot's text:
    // the save question then concerns that slot. False when it stopped.
    bool AskBeforeReplacingFifthSlot();
    // Save question, then CloseCurrentSlot; false when the question stopped it.
    bool CloseCurrentDocument();
    // Closes every slot, current one first; stops at the first slot kept open.
    bool CloseAllDocuments();
    // Command states and caret status once Close or Close all took slots away.
    void ShowStateAfterClose();

    Prompts& Ask;
    // Runs a command; a failure it does not test for ends it with the general error box.
    void Guard(const std::function<void()>& command);

    // --- handlers ----------------------------------------------------------------
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
    void RecentFileClick(int n); // F1Click .. F5Click, n = 1..5
    void Beenden1Click();
    void Datei1Click();
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
    void Browser1Click();
    void Runner1Click();
    void Inhalt1Click();
    void Info1Click();
    void PC_EditChange();
    void CMemo1Change(TColorMemo* sender);
    void CMemo1Click(TColorMemo* sender);
    void CMemo1KeyDown(TColorMemo* sender, int& key, Qt::KeyboardModifiers modifiers);
    void CMemo1KeyPress(TColorMemo* sender, QChar& key);

    // Set by the start-up once the secondary windows exist.
    std::function<void()> ShowOptions;
    std::function<void()> ShowInfo;

    // --- controls (objectName = member name) -----------------------------------
    QToolBar* ToolBar1 = nullptr;
    QFrame* P_Edit = nullptr;
    QTabWidget* PC_Edit = nullptr;
    std::array<QWidget*, 6> TabSheet{}; // [1..5]
    std::array<QFrame*, 6> Panel{};     // [1..5]
    std::array<TColorMemo*, 6> CMemo{}; // [1..5]
    QFrame* P_Message = nullptr;
    QListWidget* ListBox = nullptr;
    std::array<QLabel*, 3> StatusPanel{}; // the status bar's three panels

    QMenu* Datei1 = nullptr;
    QMenu* Bearbeiten1 = nullptr;
    QMenu* Start1 = nullptr;
    QMenu* Hilfe1 = nullptr;
    QMenu* PopupMenu = nullptr;

    QAction *Neu1, *NeuApplet1, *NeuApplication1, *Oeffnen1, *Speichern1, *SpeichernUnter1,
        *Schliessen1, *AllesSchliessen1, *Drucken1, *Druckereinrichten1, *N1, *N3, *Beenden1;
    std::array<QAction*, 6> F{}; // recent files F1..F5 at [1..5]
    QAction *Rueckgaengig1, *Ausschneiden1, *Kopieren1, *Einfuegen1, *Loeschen1, *Allesmarkieren1,
        *Suchen1, *Ersetzen1, *Font1, *Optionen1;
    QAction *Compiler1, *Browser1, *Runner1, *Inhalt1, *Info1;
    QAction *Neu2, *Oeffnen2, *Speichern2, *Drucken2, *Ausschneiden2, *Kopieren2, *Einfuegen2,
        *Suchen2, *Ersetzen2, *Compiler2, *Browser2, *Runner2, *Hilfe2;
    QAction *Rueckgaengig3, *Ausschneiden3, *Kopieren3, *Einfuegen3, *Loeschen3, *Allesmarkieren3,
        *Speichern3, *SpeichernUnter3, *Schliessen3, *Compiler3, *Browser3, *Runner3;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildPopupMenu();
    void BuildEditorArea();
    void BuildMessageArea();
    void BuildStatusBar();
    void ConnectEditor(TColorMemo* memo);
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    void LoadSettings();
    void SaveSettings();
    void CentreWindow();

    QStringList Arguments;
    std::unique_ptr<TShortcutDispatch> Shortcuts;
};
