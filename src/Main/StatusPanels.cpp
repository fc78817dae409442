// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/StatusPanels.h"

#include <QLabel>
#include <QStatusBar>
#include <QToolButton>

namespace {

constexpr int StatusBarHeight = 18;
constexpr int PanelWidths[] = {90, 70, 60};

} // namespace

TStatusPanels::TStatusPanels(QStatusBar* bar) {
    for (int i = 0; i < PanelCount; ++i) {
        Panels[i] = new QLabel(bar);
        Panels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        Panels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    Note = new QLabel(bar);
    Note->setObjectName(QStringLiteral("StatusNote"));
    Note->setAccessibleName(QStringLiteral("Hinweis"));
    bar->addWidget(Panels[CaretPanel]);
    bar->addWidget(Panels[ModifiedPanel]);
    bar->addWidget(Note);
    // The last panel reaches to the window's right edge, so its texts
    // ("Compiling: " and the path) show whole.
    bar->addWidget(Panels[ProgressPanel], 1);
    // Shown while a compile takes long enough to be worth cancelling.
    Cancel = new QToolButton(bar);
    Cancel->setObjectName(QStringLiteral("CancelCompile"));
    Cancel->setText(QStringLiteral("Abbrechen"));
    Cancel->setAccessibleName(QStringLiteral("Compilieren abbrechen"));
    Cancel->setToolTip(QStringLiteral("Bricht das Compilieren ab (Esc)"));
    Cancel->setFixedHeight(StatusBarHeight);
    Cancel->hide();
    bar->addPermanentWidget(Cancel);
    Panels[CaretPanel]->setFixedWidth(PanelWidths[CaretPanel]);
    Panels[ModifiedPanel]->setFixedWidth(PanelWidths[ModifiedPanel]);
    Panels[ProgressPanel]->setMinimumWidth(PanelWidths[ProgressPanel]);
    // The panels' frames need room beyond their text height.
    bar->setFixedHeight(StatusBarHeight + 4);
    bar->setSizeGripEnabled(true);
}

void TStatusPanels::SetText(TPanel panel, const QString& text) {
    QLabel* label = Panels[panel];
    if (label->text() != text)
        label->setText(text);
    if (panel == ProgressPanel) {
        label->repaint();
        SetNote(QString());
    }
}

void TStatusPanels::SetNote(const QString& text) {
    Note->setText(text);
    Note->repaint();
}
