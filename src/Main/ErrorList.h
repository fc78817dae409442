#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QStringList>

class QListWidget;
class QWidget;
class TWorkspace;
struct TSlotDocument;

// The error list `ListBox` below the editors: until the first compile it
// shows its two introductory lines and takes no clicks; from then on the
// entries of the document shown, and a double-click puts the caret where
// the selected entry points.
class TErrorList : public QObject {
    Q_OBJECT
public:
    TErrorList(TWorkspace& workspace, QWidget* parent);

    QListWidget* Widget() const { return ListBox; }
    // The list's font and the colour of its introduction, for hints in its manner.
    static QFont ListFont();
    static QColor IntroductionColour();

    // A compile takes the list over: enabled, no hint, the current document's
    // entries (emptied by the compile beforehand).
    void TakeOver();
    // The entries of the document shown (after the first compile).
    void ShowDocument();
    // Selects the first entry and puts the caret where it points.
    void JumpToFirstError();

    void ListBoxClick();
    void ListBoxDblClick();

private:
    void JumpToError(int index);

    TWorkspace& Workspace;
    QListWidget* ListBox = nullptr;
    // What ListBox shows once a compile has taken it over from its introduction.
    QStringList ShownEntries;
    bool ShownRaw = false;
};
