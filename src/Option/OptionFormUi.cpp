// SPDX-License-Identifier: GPL-3.0-or-later
// The options dialog's controls: four pages, their group boxes and fields.
#include "Option/OptionForm.h"

#include "Option/OptionRules.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 310;
constexpr int ClientHeight = 225;
constexpr int NumberFieldWidth = 60;

template <class T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* CheckBox(const char* name, const QString& caption, QWidget* parent) {
    return Named(new QCheckBox(caption, parent), name);
}

QGroupBox* Group(const char* name, const QString& caption, QWidget* parent) {
    return Named(new QGroupBox(caption, parent), name);
}

// A page holding group boxes stacked from the top.
QWidget* Page(const char* name, std::initializer_list<QWidget*> groups) {
    auto* page = Named(new QWidget, name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(0);
    for (QWidget* group : groups) {
        group->setParent(page);
        layout->addWidget(group);
    }
    layout->addStretch();
    return page;
}

// A labelled field in a form; the label is its buddy, so it names the field.
void AddLabelled(QFormLayout* form, const QString& label, QLineEdit* field) {
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    form->addRow(caption, field);
}

QFormLayout* FormIn(QGroupBox* group) {
    auto* form = new QFormLayout(group);
    form->setContentsMargins(8, 0, 8, 4);
    form->setVerticalSpacing(2);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    return form;
}

} // namespace

void TOptionForm::BuildControls() {
    setWindowTitle(QStringLiteral("Kodiwerk - Optionen"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    Ui.PC_Option = Named(new QTabWidget(this), "PC_Option");
    Ui.PC_Option->addTab(BuildEditorPage(), QStringLiteral("Editor"));
    Ui.PC_Option->addTab(BuildStartPage(), QStringLiteral("Start"));
    Ui.PC_Option->addTab(BuildDirectoryPage(), QStringLiteral("Verzeichnisse"));
    Ui.PC_Option->addTab(BuildPrintPage(), QStringLiteral("Drucken"));
    Ui.PC_Option->setCurrentIndex(2); // the first showing opens on "Verzeichnisse"

    auto* ok = Named(new QPushButton(QStringLiteral("&OK"), this), "B_OK");
    auto* cancel = Named(new QPushButton(QStringLiteral("&Abbruch"), this), "B_Cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { Guard([this] { B_OKClick(); }); });
    connect(cancel, &QPushButton::clicked, this, [this] { B_CancelClick(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(Ui.PC_Option);
    layout->addLayout(buttons);
    // The size of the window description, unless the desktop's font needs more.
    setFixedSize(QSize(ClientWidth, ClientHeight).expandedTo(minimumSizeHint()));
}

QLineEdit* TOptionForm::NumberField(const char* name, const QString& text, QWidget* parent) {
    auto* field = Named(new QLineEdit(text, parent), name);
    field->setFixedWidth(NumberFieldWidth);
    field->installEventFilter(this);
    return field;
}

QWidget* TOptionForm::BuildEditorPage() {
    QGroupBox* editor = Group("GB_Editor", QStringLiteral(" Editor "), nullptr);
    QFormLayout* form = FormIn(editor);
    Ui.CB_AutoTab = CheckBox("CB_AutoTab", QStringLiteral("automatisch einrücken"), editor);
    form->addRow(Ui.CB_AutoTab);
    Ui.E_Tabs = NumberField("E_Tabs", QStringLiteral("2"), editor);
    AddLabelled(form, option::TabsLabel, Ui.E_Tabs);
    Ui.CB_Zeilennummern =
        CheckBox("CB_Zeilennummern", QStringLiteral("Zeilennummern anzeigen"), editor);
    form->addRow(Ui.CB_Zeilennummern);
    return Page("TS_Editor", {editor});
}

QWidget* TOptionForm::BuildStartPage() {
    QGroupBox* applet = Group("GB_Applet", QStringLiteral(" Applet"), nullptr);
    QFormLayout* form = FormIn(applet);
    Ui.E_AppX = NumberField("E_AppX", QStringLiteral("x"), applet);
    AddLabelled(form, option::AppXLabel, Ui.E_AppX);
    Ui.E_AppY = NumberField("E_AppY", QStringLiteral("y"), applet);
    AddLabelled(form, option::AppYLabel, Ui.E_AppY);
    Ui.CB_AWinMin =
        CheckBox("CB_AWinMin", QStringLiteral("DOS-Fenster beim Start minimieren"), applet);
    form->addRow(Ui.CB_AWinMin);

    QGroupBox* application = Group("GB_Application", QStringLiteral(" Application "), nullptr);
    Ui.CB_RWinMin =
        CheckBox("CB_RWinMin", QStringLiteral("DOS-Fenster beim Start minimieren"), application);
    FormIn(application)->addRow(Ui.CB_RWinMin);
    return Page("TS_Start", {applet, application});
}

QGroupBox* TOptionForm::PathGroup(const QString& caption, const char* field, const QString& text,
                                  const char* button, const QString& buttonName, QLineEdit*& edit,
                                  QToolButton*& picture) {
    auto* group = new QGroupBox(caption);
    group->setObjectName(QStringLiteral("GB_") + QString::fromLatin1(field + 2));
    edit = Named(new QLineEdit(text, group), field);
    edit->setAccessibleName(caption.trimmed());
    picture = Named(new QToolButton(group), button);
    picture->setIcon(QIcon(QStringLiteral(":/icons/open.png")));
    picture->setAccessibleName(buttonName);
    picture->setToolTip(buttonName);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(8, 0, 8, 4);
    row->setSpacing(4);
    row->addWidget(edit);
    row->addWidget(picture);
    return group;
}

QWidget* TOptionForm::BuildDirectoryPage() {
    QGroupBox* jdk = PathGroup(QStringLiteral(" JDK Programmverzeichnis "), "E_JdkDir",
                               QStringLiteral("E_JdkDir"), "B_JDK",
                               QStringLiteral("JDK-Verzeichnis wählen"), Ui.E_JdkDir, Ui.B_JDK);
    QGroupBox* project = PathGroup(
        QStringLiteral(" Projektverzeichnis "), "E_ProjektDir", QStringLiteral("E_ProjektDir"),
        "B_Projekt", QStringLiteral("Projektverzeichnis wählen"), Ui.E_ProjektDir, Ui.B_Projekt);
    QGroupBox* help =
        PathGroup(QStringLiteral(" Hilfedatei "), "E_HilfeDir", QStringLiteral("E_HilfeDir"),
                  "B_Hilfe", QStringLiteral("Hilfedatei wählen"), Ui.E_HilfeDir, Ui.B_Hilfe);
    connect(Ui.B_JDK, &QToolButton::clicked, this, [this] { Guard([this] { B_JDKClick(); }); });
    connect(Ui.B_Projekt, &QToolButton::clicked, this,
            [this] { Guard([this] { B_ProjektClick(); }); });
    connect(Ui.B_Hilfe, &QToolButton::clicked, this, [this] { Guard([this] { B_HilfeClick(); }); });
    return Page("TS_Verzeichnisse", {jdk, project, help});
}

QWidget* TOptionForm::BuildPrintPage() {
    QGroupBox* options = Group("GB_Optionen", QStringLiteral(" Optionen"), nullptr);
    QFormLayout* form = FormIn(options);
    // No key filter: printing reads whatever stands here.
    Ui.E_LinkerRand = Named(new QLineEdit(QStringLiteral("5"), options), "E_LinkerRand");
    Ui.E_LinkerRand->setFixedWidth(NumberFieldWidth);
    AddLabelled(form, QStringLiteral("Linker  Rand:"), Ui.E_LinkerRand);
    Ui.CB_ZeilenNr = CheckBox("CB_ZeilenNr", QStringLiteral("Zeilennummern"), options);
    form->addRow(Ui.CB_ZeilenNr);
    Ui.CB_DateiDruck = CheckBox("CB_DateiDruck", QStringLiteral("In eine Datei drucken"), options);
    form->addRow(Ui.CB_DateiDruck);
    return Page("TS_Drucken", {options});
}
