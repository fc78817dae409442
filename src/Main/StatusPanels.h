// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>

class QLabel;
class QStatusBar;
class QToolButton;

// The main window's status bar: three sunken panels (caret position,
// "Geändert", progress of the last command) and beside them a note on what a
// save had to tell beyond "Fertig".
class TStatusPanels {
public:
    enum TPanel { CaretPanel = 0, ModifiedPanel = 1, ProgressPanel = 2, PanelCount = 3 };

    // Builds the panels into `bar`, each named StatusPanel0..2, the note StatusNote.
    explicit TStatusPanels(QStatusBar* bar);

    // A progress text shows at once (it announces work that holds up the event
    // loop) and clears the note.
    void SetText(TPanel panel, const QString& text);
    void SetNote(const QString& text);
    // "Abbrechen" at the bar's right end, hidden until a compile shows it.
    QToolButton* CancelButton() const { return Cancel; }

private:
    std::array<QLabel*, PanelCount> Panels{};
    QLabel* Note = nullptr;
    QToolButton* Cancel = nullptr;
};
