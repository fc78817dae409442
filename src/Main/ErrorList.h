// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Datei/ErrorListRows.h"

#include <QColor>
#include <QFont>
#include <QObject>

class QListWidget;
class QSplitter;
class QTextBrowser;
class QWidget;
class TWorkspace;

// The error list `ListBox` below the editors, with the explanation of the
// selected entry beside it. Until the first compile it shows its two
// introductory lines and takes no clicks; from then on the entries of the
// document shown, and a double-click puts the caret where the selected entry
// points, in another file of the program too.
class TErrorList : public QObject {
    Q_OBJECT
public:
    TErrorList(TWorkspace& workspace, QWidget* parent);

    // The list and the explanation side by side.
    QWidget* Widget() const;
    QListWidget* List() const { return ListBox; }
    // The list's font and the colour of its introduction, for hints in its manner.
    static QFont ListFont();
    static QColor IntroductionColour();

    // A compile takes the list over: enabled, no hint, the current document's
    // entries (emptied by the compile beforehand).
    void TakeOver();
    // The entries of the document shown (after the first compile).
    void ShowDocument();
    // Selects the entry the compile's jump goes to (the first error) and puts
    // the caret where it points; nothing when javac named no error.
    void JumpToFirstError();
    // What the entry says beyond javac's words: its explanation in plain text,
    // for tooltips elsewhere (the marks in the editor).
    static QString ExplanationText(const datei::TErrorListEntry& entry);

    void ListBoxClick();
    void ListBoxDblClick();

signals:
    // A compile put entries into the list.
    void Filled();

private:
    void JumpToError(int index);
    void ShowExplanation(int row);

    TWorkspace& Workspace;
    QSplitter* Area = nullptr;
    QListWidget* ListBox = nullptr;
    QTextBrowser* Explanation = nullptr;
    // What ListBox shows once a compile has taken it over from its introduction.
    datei::TErrorRows Shown;
};
