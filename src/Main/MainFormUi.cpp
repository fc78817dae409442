// Builds the controls of the main window: menus, tool bar, pop-up menu,
// editor area, error list and status bar. Every control carries its name as
// objectName, so tests and the shortcut dispatch find it.
#include "ColMemo/ColorMemo.h"
#include "Main/MainForm.h"

#include <QAction>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Menu items show their shortcut, but Qt's own shortcut map must not act on
// it: the main window dispatches keys itself (editor pop-up menu first).
// A widget shortcut on a menu item is only live while that menu has the focus.
QAction* NewAction(QWidget* owner, const char* name, const QString& caption,
                   const QKeySequence& shortcut, bool enabled) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setEnabled(enabled);
    return action;
}

QAction* Separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

QIcon ToolIcon(const char* theme, const char* bundled) {
    return QIcon::fromTheme(
        QString::fromLatin1(theme),
        QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(bundled) + QStringLiteral(".png")));
}

QFrame* LoweredPanel(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    return frame;
}

} // namespace

void TMainForm::BuildMenus() {
    using K = QKeySequence;
    Datei1 = menuBar()->addMenu(QStringLiteral("&Datei"));
    Datei1->setObjectName(QStringLiteral("Datei1"));
    Neu1 = NewAction(this, "Neu1", QStringLiteral("&Neu"), K(Qt::CTRL | Qt::Key_N), true);
    NeuApplet1 = NewAction(this, "NeuApplet1", QStringLiteral("Neues Applet"),
                           K(Qt::CTRL | Qt::Key_T), true);
    NeuApplication1 = NewAction(this, "NeuApplication1", QStringLiteral("Neue &Application"),
                                K(Qt::CTRL | Qt::Key_A), true);
    Oeffnen1 =
        NewAction(this, "Oeffnen1", QStringLiteral("Ö&ffnen..."), K(Qt::CTRL | Qt::Key_O), true);
    Speichern1 =
        NewAction(this, "Speichern1", QStringLiteral("&Speichern"), K(Qt::CTRL | Qt::Key_S), false);
    SpeichernUnter1 =
        NewAction(this, "SpeichernUnter1", QStringLiteral("Speichern &unter..."), K(), false);
    Schliessen1 = NewAction(this, "Schliessen1", QStringLiteral("S&chließen"),
                            K(Qt::CTRL | Qt::Key_W), false);
    AllesSchliessen1 =
        NewAction(this, "AllesSchliessen1", QStringLiteral("&Alles Schließen"), K(), false);
    Drucken1 =
        NewAction(this, "Drucken1", QStringLiteral("&Drucken"), K(Qt::CTRL | Qt::Key_P), false);
    Druckereinrichten1 =
        NewAction(this, "Druckereinrichten1", QStringLiteral("D&rucker einrichten ..."), K(), true);
    Datei1->addActions({Neu1, NeuApplet1, NeuApplication1, Oeffnen1, Speichern1, SpeichernUnter1,
                        Schliessen1, AllesSchliessen1, Drucken1, Druckereinrichten1});
    N1 = Separator(Datei1, "N1");
    N1->setVisible(false);
    for (int n = 1; n <= SlotCount; ++n) {
        F[n] = NewAction(this, QStringLiteral("F%1").arg(n).toLatin1().constData(), QString(), K(),
                         true);
        F[n]->setVisible(false);
        Datei1->addAction(F[n]);
        connect(F[n], &QAction::triggered, this,
                [this, n] { Guard([this, n] { RecentFileClick(n); }); });
    }
    N3 = Separator(Datei1, "N3");
    Beenden1 =
        NewAction(this, "Beenden1", QStringLiteral("&Beenden"), K(Qt::ALT | Qt::Key_F4), true);
    Datei1->addAction(Beenden1);
    connect(Datei1, &QMenu::aboutToShow, this, [this] { Datei1Click(); });

    Bearbeiten1 = menuBar()->addMenu(QStringLiteral("&Bearbeiten"));
    Bearbeiten1->setObjectName(QStringLiteral("Bearbeiten1"));
    Rueckgaengig1 = NewAction(this, "Rueckgaengig1", QStringLiteral("&Rückgängig"),
                              K(Qt::ALT | Qt::Key_Backspace), false);
    Ausschneiden1 = NewAction(this, "Ausschneiden1", QStringLiteral("&Ausschneiden"),
                              K(Qt::CTRL | Qt::Key_X), false);
    Kopieren1 =
        NewAction(this, "Kopieren1", QStringLiteral("&Kopieren"), K(Qt::CTRL | Qt::Key_C), false);
    Einfuegen1 =
        NewAction(this, "Einfuegen1", QStringLiteral("&Einfügen"), K(Qt::CTRL | Qt::Key_V), false);
    Loeschen1 = NewAction(this, "Loeschen1", QStringLiteral("&Löschen"), K(), false);
    Allesmarkieren1 = NewAction(this, "Allesmarkieren1", QStringLiteral("Alles &markieren"),
                                K(Qt::CTRL | Qt::Key_A), true);
    Suchen1 =
        NewAction(this, "Suchen1", QStringLiteral("&Suchen..."), K(Qt::CTRL | Qt::Key_F), false);
    Ersetzen1 = NewAction(this, "Ersetzen1", QStringLiteral("E&rsetzen..."),
                          K(Qt::CTRL | Qt::Key_R), false);
    Font1 = NewAction(this, "Font1", QStringLiteral("&Schriftarten..."), K(), true);
    Optionen1 = NewAction(this, "Optionen1", QStringLiteral("&Optionen"), K(), true);
    Bearbeiten1->addAction(Rueckgaengig1);
    Separator(Bearbeiten1, "N8");
    Bearbeiten1->addActions({Ausschneiden1, Kopieren1, Einfuegen1, Loeschen1, Allesmarkieren1});
    Separator(Bearbeiten1, "N2");
    Bearbeiten1->addActions({Suchen1, Ersetzen1});
    Separator(Bearbeiten1, "N5");
    Bearbeiten1->addAction(Font1);
    Separator(Bearbeiten1, "N6");
    Bearbeiten1->addAction(Optionen1);
    connect(Bearbeiten1, &QMenu::aboutToShow, this, [this] { Bearbeiten1Click(); });

    Start1 = menuBar()->addMenu(QStringLiteral("&Start"));
    Start1->setObjectName(QStringLiteral("Start1"));
    Compiler1 = NewAction(this, "Compiler1", QStringLiteral("&Compiler"), K(Qt::Key_F8), false);
    Browser1 = NewAction(this, "Browser1", QStringLiteral("&Appletviewer"), K(Qt::Key_F9), false);
    Runner1 = NewAction(this, "Runner1", QStringLiteral("A&pplication"), K(Qt::Key_F10), false);
    Start1->addActions({Compiler1, Browser1, Runner1});

    Hilfe1 = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    Hilfe1->setObjectName(QStringLiteral("Hilfe1"));
    Inhalt1 = NewAction(this, "Inhalt1", QStringLiteral("In&halt"), K(Qt::Key_F1), true);
    Info1 = NewAction(this, "Info1", QStringLiteral("&Info..."), K(), true);
    Hilfe1->addAction(Inhalt1);
    Separator(Hilfe1, "N4");
    Hilfe1->addAction(Info1);
}

void TMainForm::BuildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(20, 20));
    ToolBar1->setFixedHeight(28);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    auto button = [this](const char* name, const QString& hint, const char* theme,
                         const char* bundled, bool enabled) {
        QAction* action = NewAction(this, name, hint, QKeySequence(), enabled);
        action->setIcon(ToolIcon(theme, bundled));
        action->setToolTip(hint);
        ToolBar1->addAction(action);
        return action;
    };
    Neu2 = button("Neu2", QStringLiteral("Neue Datei"), "document-new", "new", true);
    Oeffnen2 = button("Oeffnen2", QStringLiteral("Datei öffnen"), "document-open", "open", true);
    Speichern2 =
        button("Speichern2", QStringLiteral("Datei Speichern"), "document-save", "save", false);
    Drucken2 =
        button("Drucken2", QStringLiteral("Datei drucken"), "document-print", "print", false);
    ToolBar1->addSeparator();
    Ausschneiden2 =
        button("Ausschneiden2", QStringLiteral("Ausschneiden"), "edit-cut", "cut", false);
    Kopieren2 = button("Kopieren2", QStringLiteral("Kopieren"), "edit-copy", "copy", false);
    Einfuegen2 = button("Einfuegen2", QStringLiteral("Einfügen"), "edit-paste", "paste", false);
    Suchen2 = button("Suchen2", QStringLiteral("Suchen"), "edit-find", "find", false);
    Ersetzen2 =
        button("Ersetzen2", QStringLiteral("Ersetzen"), "edit-find-replace", "replace", false);
    ToolBar1->addSeparator();
    Compiler2 = button("Compiler2", QStringLiteral("Compilieren"), "system-run", "compile", false);
    Browser2 = button("Browser2", QStringLiteral("Applet starten"), "applications-internet",
                      "applet", false);
    Runner2 = button("Runner2", QStringLiteral("Applikation starten"), "media-playback-start",
                     "application", false);
    ToolBar1->addSeparator();
    Hilfe2 = button("Hilfe2", QStringLiteral("Hilfe zum Programm"), "help-contents", "help", true);
}

void TMainForm::BuildPopupMenu() {
    using K = QKeySequence;
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    Rueckgaengig3 = NewAction(this, "Rueckgaengig3", QStringLiteral("&Rückgängig"),
                              K(Qt::ALT | Qt::Key_Backspace), true);
    Ausschneiden3 = NewAction(this, "Ausschneiden3", QStringLiteral("&Ausschneiden"),
                              K(Qt::CTRL | Qt::Key_X), true);
    Kopieren3 =
        NewAction(this, "Kopieren3", QStringLiteral("&Kopieren"), K(Qt::CTRL | Qt::Key_C), true);
    Einfuegen3 =
        NewAction(this, "Einfuegen3", QStringLiteral("&Einfügen"), K(Qt::CTRL | Qt::Key_V), true);
    Loeschen3 = NewAction(this, "Loeschen3", QStringLiteral("&Löschen"), K(), true);
    Allesmarkieren3 = NewAction(this, "Allesmarkieren3", QStringLiteral("Alles &markieren"),
                                K(Qt::CTRL | Qt::Key_A), true);
    Speichern3 = NewAction(this, "Speichern3", QStringLiteral("&Speichern"), K(), true);
    SpeichernUnter3 =
        NewAction(this, "SpeichernUnter3", QStringLiteral("Speichern unter..."), K(), true);
    Schliessen3 = NewAction(this, "Schliessen3", QStringLiteral("S&chliessen"),
                            K(Qt::CTRL | Qt::Key_W), true);
    Compiler3 = NewAction(this, "Compiler3", QStringLiteral("Compiler"), K(Qt::Key_F8), false);
    Browser3 = NewAction(this, "Browser3", QStringLiteral("AppletViewer"), K(Qt::Key_F9), false);
    Runner3 = NewAction(this, "Runner3", QStringLiteral("Application"), K(Qt::Key_F10), false);
    PopupMenu->addAction(Rueckgaengig3);
    Separator(PopupMenu, "N9");
    PopupMenu->addActions({Ausschneiden3, Kopieren3, Einfuegen3, Loeschen3});
    Separator(PopupMenu, "N10");
    PopupMenu->addAction(Allesmarkieren3);
    Separator(PopupMenu, "N11");
    PopupMenu->addActions({Speichern3, SpeichernUnter3, Schliessen3});
    Separator(PopupMenu, "N7");
    PopupMenu->addActions({Compiler3, Browser3, Runner3});
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] { PopupMenuPopup(); });
}

void TMainForm::BuildEditorArea() {
    P_Edit = LoweredPanel(centralWidget(), "P_Edit");
    PC_Edit = new QTabWidget(P_Edit);
    PC_Edit->setObjectName(QStringLiteral("PC_Edit"));
    P_Edit->layout()->addWidget(PC_Edit);
    for (int n = 1; n <= SlotCount; ++n) {
        TabSheet[n] = new QWidget;
        TabSheet[n]->setObjectName(QStringLiteral("TabSheet%1").arg(n));
        auto* pageLayout = new QVBoxLayout(TabSheet[n]);
        pageLayout->setContentsMargins(0, 0, 0, 0);
        Panel[n] =
            LoweredPanel(TabSheet[n], QStringLiteral("Panel%1").arg(n).toLatin1().constData());
        pageLayout->addWidget(Panel[n]);
        CMemo[n] = new TColorMemo(Panel[n]);
        CMemo[n]->setObjectName(QStringLiteral("CMemo%1").arg(n));
        Panel[n]->layout()->addWidget(CMemo[n]);
        PC_Edit->addTab(TabSheet[n], QString());
        ConnectEditor(CMemo[n]);
    }
}

void TMainForm::BuildMessageArea() {
    P_Message = LoweredPanel(centralWidget(), "P_Message");
    P_Message->setFixedHeight(41);
    ListBox = new QListWidget(P_Message);
    ListBox->setObjectName(QStringLiteral("ListBox"));
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(15);
    ListBox->setFont(font);
    QPalette palette = ListBox->palette();
    // Fuchsia also while disabled: the two introductory lines are meant to be read.
    palette.setColor(QPalette::Active, QPalette::Text, QColor(255, 0, 255));
    palette.setColor(QPalette::Inactive, QPalette::Text, QColor(255, 0, 255));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(255, 0, 255));
    ListBox->setPalette(palette);
    ListBox->setUniformItemSizes(true);
    ListBox->addItems(
        {QStringLiteral("Hier werden die möglichen Programmfehler angezeigt."),
         QStringLiteral("Nach einem Doppelklick geht der Cursor zur Fehlerposition.")});
    for (int i = 0; i < ListBox->count(); ++i)
        ListBox->item(i)->setSizeHint(QSize(0, 17));
    ListBox->setEnabled(false);
    P_Message->layout()->addWidget(ListBox);
}

void TMainForm::BuildStatusBar() {
    const int widths[3] = {90, 70, 60};
    for (int i = 0; i < 3; ++i) {
        StatusPanel[i] = new QLabel(statusBar());
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanel[i]->setFixedWidth(widths[i]);
        StatusPanel[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(StatusPanel[i]);
    }
    statusBar()->setFixedHeight(18 + 4);
    statusBar()->setSizeGripEnabled(true);
}
