// SPDX-License-Identifier: GPL-3.0-or-later
// The command table: every menu, menu item, tool button and pop-up item of the
// main window, in the order they appear, with its caption, shortcut, enabled
// state at start, the rule UpdateCommandStates enables it by, and its handler.
// A new command is one row here (and its handler).
#include "Main/CommandTable.h"

#include "Main/CommandStates.h"
#include "Main/CompileCommand.h"
#include "Main/FindReplace.h"
#include "Main/LaunchCommands.h"
#include "Main/MainForm.h"
#include "Main/PrintAndHelp.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {

QString Latin1(const char* text) {
    return QString::fromLatin1(text);
}

QIcon ToolIcon(const char* theme, const char* bundled) {
    return QIcon::fromTheme(Latin1(theme),
                            QIcon(QStringLiteral(":/icons/") + Latin1(bundled) + ".png"));
}

} // namespace

std::vector<TCommandRow> TMainForm::CommandRows() {
    using namespace mainform::command_rows;
    using K = Qt::Key;
    using W = TEnabledWhen;
    using F = TMainForm;
    // The window's own handlers, and those of its feature objects, each named once.
    const auto own = [this](void (TMainForm::*handler)()) -> THandler {
        return [this, handler] { (this->*handler)(); };
    };
    const auto recent = [this](int n) -> THandler { return [this, n] { RecentFileClick(n); }; };
    const THandler states = [this] { UpdateCommandStates(); };
    const THandler print = [this] { PrintAndHelp->Drucken1Click(); };
    const THandler printerSetup = [this] { PrintAndHelp->Druckereinrichten1Click(); };
    const THandler find = [this] { FindReplace->Suchen1Click(); };
    const THandler replace = [this] { FindReplace->Ersetzen1Click(); };
    const THandler compile = [this] { Compile->Compiler1Click(); };
    const THandler applet = [this] { Launches->Browser1Click(); };
    const THandler application = [this] { Launches->Runner1Click(); };
    const THandler help = [this] { PrintAndHelp->Inhalt1Click(); };
    const THandler info = [this] { PrintAndHelp->Info1Click(); };
    constexpr auto Ctrl = Qt::CTRL;
    constexpr auto Alt = Qt::ALT;
    // clang-format off
    return {
        Menu("Datei1", "&Datei", own(&F::Datei1Click)),
        Item("Neu1", "&Neu", Ctrl | K::Key_N, On, W::Always, own(&F::Neu1Click)),
        Item("NeuApplet1", "Neues Applet", Ctrl | K::Key_T, On, W::Always, own(&F::NeuApplet1Click)),
        Item("NeuApplication1", "Neue &Application", Ctrl | K::Key_A, On, W::Always, own(&F::NeuApplication1Click)),
        Item("Oeffnen1", "Ö&ffnen...", Ctrl | K::Key_O, On, W::Always, own(&F::Oeffnen1Click)),
        Item("Speichern1", "&Speichern", Ctrl | K::Key_S, Off, W::HasText, own(&F::Speichern1Click)),
        Item("SpeichernUnter1", "Speichern &unter...", NoKeys, Off, W::HasText, own(&F::SpeichernUnter1Click)),
        Item("Schliessen1", "S&chließen", Ctrl | K::Key_W, Off, W::InUse, own(&F::Schliessen1Click)),
        Item("AllesSchliessen1", "&Alles Schließen", NoKeys, Off, W::InUse, own(&F::AllesSchliessen1Click)),
        Item("Drucken1", "&Drucken", Ctrl | K::Key_P, Off, W::HasText, print),
        Item("Druckereinrichten1", "D&rucker einrichten ...", NoKeys, On, W::Always, printerSetup),
        Separator("N1", false),
        HiddenItem("F1", recent(1)),
        HiddenItem("F2", recent(2)),
        HiddenItem("F3", recent(3)),
        HiddenItem("F4", recent(4)),
        HiddenItem("F5", recent(5)),
        Separator("N3"),
        Item("Beenden1", "&Beenden", Alt | K::Key_F4, On, W::Always, own(&F::Beenden1Click)),

        Menu("Bearbeiten1", "&Bearbeiten", states),
        Item("Rueckgaengig1", "&Rückgängig", Alt | K::Key_Backspace, Off, W::CanUndo, own(&F::Rueckgaengig1Click)),
        Separator("N8"),
        Item("Ausschneiden1", "&Ausschneiden", Ctrl | K::Key_X, Off, W::HasSelection, own(&F::Ausschneiden1Click)),
        Item("Kopieren1", "&Kopieren", Ctrl | K::Key_C, Off, W::HasSelection, own(&F::Kopieren1Click)),
        Item("Einfuegen1", "&Einfügen", Ctrl | K::Key_V, Off, W::CanPaste, own(&F::Einfuegen1Click)),
        Item("Loeschen1", "&Löschen", NoKeys, Off, W::HasSelection, own(&F::Loeschen1Click)),
        Item("Allesmarkieren1", "Alles &markieren", Ctrl | K::Key_A, On, W::InUse, own(&F::Allesmarkieren1Click)),
        Separator("N2"),
        Item("Suchen1", "&Suchen...", Ctrl | K::Key_F, Off, W::HasText, find),
        Item("Ersetzen1", "E&rsetzen...", Ctrl | K::Key_R, Off, W::HasText, replace),
        Separator("N5"),
        Item("Font1", "&Schriftarten...", NoKeys, On, W::Always, own(&F::Font1Click)),
        Separator("N6"),
        Item("Optionen1", "&Optionen", NoKeys, On, W::Always, own(&F::Optionen1Click)),

        Menu("Start1", "&Start"),
        Item("Compiler1", "&Compiler", K::Key_F8, Off, W::HasText, compile),
        Item("Browser1", "&Appletviewer", K::Key_F9, Off, W::HasText, applet),
        Item("Runner1", "A&pplication", K::Key_F10, Off, W::HasText, application),

        Menu("Hilfe1", "&Hilfe"),
        Item("Inhalt1", "In&halt", K::Key_F1, On, W::Always, help),
        Separator("N4"),
        Item("Info1", "&Info...", NoKeys, On, W::Always, info),

        Button("Neu2", "Neue Datei", "document-new", "new", On, W::Always, own(&F::Neu1Click)),
        Button("Oeffnen2", "Datei öffnen", "document-open", "open", On, W::Always, own(&F::Oeffnen1Click)),
        Button("Speichern2", "Datei Speichern", "document-save", "save", Off, W::HasText, own(&F::Speichern1Click)),
        Button("Drucken2", "Datei drucken", "document-print", "print", Off, W::HasText, print),
        ButtonSeparator(),
        Button("Ausschneiden2", "Ausschneiden", "edit-cut", "cut", Off, W::HasSelection, own(&F::Ausschneiden1Click)),
        Button("Kopieren2", "Kopieren", "edit-copy", "copy", Off, W::HasSelection, own(&F::Kopieren1Click)),
        Button("Einfuegen2", "Einfügen", "edit-paste", "paste", Off, W::CanPaste, own(&F::Einfuegen1Click)),
        Button("Suchen2", "Suchen", "edit-find", "find", Off, W::HasText, find),
        Button("Ersetzen2", "Ersetzen", "edit-find-replace", "replace", Off, W::HasText, replace),
        ButtonSeparator(),
        Button("Compiler2", "Compilieren", "system-run", "compile", Off, W::HasText, compile),
        Button("Browser2", "Applet starten", "applications-internet", "applet", Off, W::HasText, applet),
        Button("Runner2", "Applikation starten", "media-playback-start", "application", Off, W::HasText, application),
        ButtonSeparator(),
        Button("Hilfe2", "Hilfe zum Programm", "help-contents", "help", On, W::Always, help),

        Popup("PopupMenu", states),
        Item("Rueckgaengig3", "&Rückgängig", Alt | K::Key_Backspace, On, W::CanUndo, own(&F::Rueckgaengig1Click)),
        Separator("N9"),
        Item("Ausschneiden3", "&Ausschneiden", Ctrl | K::Key_X, On, W::HasSelection, own(&F::Ausschneiden1Click)),
        Item("Kopieren3", "&Kopieren", Ctrl | K::Key_C, On, W::HasSelection, own(&F::Kopieren1Click)),
        Item("Einfuegen3", "&Einfügen", Ctrl | K::Key_V, On, W::CanPaste, own(&F::Einfuegen1Click)),
        Item("Loeschen3", "&Löschen", NoKeys, On, W::HasSelection, own(&F::Loeschen1Click)),
        Separator("N10"),
        Item("Allesmarkieren3", "Alles &markieren", Ctrl | K::Key_A, On, W::Always, own(&F::Allesmarkieren1Click)),
        Separator("N11"),
        Item("Speichern3", "&Speichern", NoKeys, On, W::Always, own(&F::Speichern1Click)),
        Item("SpeichernUnter3", "Speichern unter...", NoKeys, On, W::Always, own(&F::SpeichernUnter1Click)),
        Item("Schliessen3", "S&chliessen", Ctrl | K::Key_W, On, W::InUse, own(&F::Schliessen1Click)),
        Separator("N7"),
        Item("Compiler3", "Compiler", K::Key_F8, Off, W::HasText, compile),
        Item("Browser3", "AppletViewer", K::Key_F9, Off, W::HasText, applet),
        Item("Runner3", "Application", K::Key_F10, Off, W::HasText, application),
    };
    // clang-format on
}

void TMainForm::BuildCommands() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(20, 20));
    ToolBar1->setFixedHeight(28);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);

    QMenu* menu = nullptr;
    for (TCommandRow& row : CommandRows()) {
        using TKind = TCommandRow::TKind;
        switch (row.Kind) {
        case TKind::Menu:
        case TKind::Popup:
            menu = AddMenu(row);
            break;
        case TKind::ButtonSeparator:
            ToolBar1->addSeparator();
            break;
        case TKind::Separator: {
            QAction* separator = menu->addSeparator();
            separator->setObjectName(Latin1(row.Name));
            separator->setVisible(row.VisibleAtStart);
            break;
        }
        case TKind::Item:
        case TKind::Button:
            AddCommand(row, menu);
            break;
        }
    }
}

QMenu* TMainForm::AddMenu(const TCommandRow& row) {
    QMenu* menu = row.Kind == TCommandRow::TKind::Menu
                      ? menuBar()->addMenu(QString::fromUtf8(row.Caption))
                      : new QMenu(this);
    menu->setObjectName(Latin1(row.Name));
    MenuOpeners.emplace_back(menu, row.Handler);
    if (row.Handler)
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { RunOpeningHandler(menu); });
    if (row.Kind == TCommandRow::TKind::Popup)
        PopupMenu = menu;
    return menu;
}

void TMainForm::AddCommand(const TCommandRow& row, QMenu* menu) {
    auto* action = new QAction(QString::fromUtf8(row.Caption), this);
    action->setObjectName(Latin1(row.Name));
    // Menu items show their shortcut, but Qt's own shortcut map must not
    // act on it: the shortcut dispatch routes keys itself (editor pop-up
    // menu first). A widget shortcut on a menu item is only live while
    // that menu has the focus.
    if (row.Keys.toCombined() != 0)
        action->setShortcut(QKeySequence(row.Keys));
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setEnabled(row.OnAtStart);
    action->setVisible(row.VisibleAtStart);
    if (row.Kind == TCommandRow::TKind::Button) {
        action->setIcon(ToolIcon(row.ThemeIcon, row.BundledIcon));
        action->setToolTip(action->text());
        ToolBar1->addAction(action);
    } else {
        menu->addAction(action);
    }
    connect(action, &QAction::triggered, this, [this, handler = row.Handler] { Guard(handler); });
    States->Add(action, row.When);
}

QAction* TMainForm::ActionNamed(const QString& name) const {
    return findChild<QAction*>(name);
}
