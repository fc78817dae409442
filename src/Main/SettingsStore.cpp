// SPDX-License-Identifier: GPL-3.0-or-later
// Loading the settings when the main window is created and writing all of
// them back when it closes; nothing is written in between.
#include "ColMemo/ColorMemo.h"
#include "Main/FontStyle.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/RegistryIni.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>

namespace {
const QString Settings = QStringLiteral("Settings");
const QString Files = QStringLiteral("Files");
const QString Font = QStringLiteral("Font");
const QString FormPos = QStringLiteral("FormPos");
constexpr int NoStoredPosition = -9999;
} // namespace

void TMainForm::CentreWindow() {
    resize(DesignSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - DesignSize.width()) / 2,
             area.y() + (area.height() - DesignSize.height()) / 2);
    }
}

void TMainForm::LoadSettings() {
    Inis.Clear();
    Inis.Font = Slot(1).Memo->font();
    QSettings store(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"));
    TRegistryIni ini(store);

    Inis.JdkDir = ini.ReadString(Settings, QStringLiteral("JdkDir"), QString());
    Inis.ProjectDir = ini.ReadString(Settings, QStringLiteral("ProjectDir"), QString());
    Inis.HilfeDir = ini.ReadString(Settings, QStringLiteral("HilfeDir"), QString());
    if (!Inis.ProjectDir.isEmpty())
        OpenDialogInitialDir = Inis.ProjectDir;

    Inis.AutoTab = ini.ReadBool(Settings, QStringLiteral("AutoTab"), true);
    Inis.AWinMin = ini.ReadBool(Settings, QStringLiteral("AWinMin"), true);
    Inis.RWinMin = ini.ReadBool(Settings, QStringLiteral("RWinMin"), false);
    // Kept within what works: a hand-edited 0 would hide every tab.
    Inis.Tabs = TInisRecord::TabsRange.Clamp(ini.ReadInteger(Settings, QStringLiteral("Tabs"), 2));
    Inis.AppX =
        TInisRecord::AppSizeRange.Clamp(ini.ReadInteger(Settings, QStringLiteral("AppX"), 400));
    Inis.AppY =
        TInisRecord::AppSizeRange.Clamp(ini.ReadInteger(Settings, QStringLiteral("AppY"), 400));
    Inis.LineNumbers = ini.ReadBool(Settings, QStringLiteral("Zeilennummern"), true);
    ApplyLineNumbers();

    for (int i = 0; i < TInisRecord::RecentFileCount; ++i)
        Inis.Files[i] = ini.ReadString(Files, QStringLiteral("File%1").arg(i + 1), QString());

    mainform::TFontSetting font;
    font.Name = ini.ReadString(Font, QStringLiteral("Name"), QStringLiteral("Courier New"));
    font.Size = ini.ReadInteger(Font, QStringLiteral("Size"), 10);
    font.CharSet = ini.ReadInteger(Font, QStringLiteral("CharSet"), 1) & 0xFF;
    font.Style = ini.ReadInteger(Font, QStringLiteral("Style"), 0);
    Inis.FontCharSet = font.CharSet;
    ApplyEditorFont(mainform::MakeFont(font, Slot(1).Memo->font()));

    CentreWindow();
    const int left = ini.ReadInteger(FormPos, QStringLiteral("Left"), NoStoredPosition);
    if (left != NoStoredPosition) {
        const int top = ini.ReadInteger(FormPos, QStringLiteral("Top"), 30);
        const int width = ini.ReadInteger(FormPos, QStringLiteral("Width"), 30);
        const int height = ini.ReadInteger(FormPos, QStringLiteral("Height"), 30);
        move(left, top);
        resize(width, height);
    }
    SetMessageAreaHeight(
        ini.ReadInteger(FormPos, QStringLiteral("ListHeight"), DesignMessageAreaHeight));
    // A value that could not be read costs that value alone; the start-up tells it once.
    if (!ini.Unreadable().isEmpty())
        Inis.UnreadableNote = mainform::UnreadableSettingsText(store.fileName(), ini.Unreadable());
}

void TMainForm::SaveSettings() {
    QSettings store(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"));
    TRegistryIni ini(store);
    ini.ReplaceUnreadableStore();
    ini.WriteString(Settings, QStringLiteral("JdkDir"), Inis.JdkDir);
    ini.WriteString(Settings, QStringLiteral("ProjectDir"), Inis.ProjectDir);
    ini.WriteString(Settings, QStringLiteral("HilfeDir"), Inis.HilfeDir);
    ini.WriteBool(Settings, QStringLiteral("AutoTab"), Inis.AutoTab);
    ini.WriteBool(Settings, QStringLiteral("AWinMin"), Inis.AWinMin);
    ini.WriteBool(Settings, QStringLiteral("RWinMin"), Inis.RWinMin);
    ini.WriteInteger(Settings, QStringLiteral("Tabs"), Inis.Tabs);
    ini.WriteInteger(Settings, QStringLiteral("AppX"), Inis.AppX);
    ini.WriteInteger(Settings, QStringLiteral("AppY"), Inis.AppY);
    ini.WriteBool(Settings, QStringLiteral("Zeilennummern"), Inis.LineNumbers);

    const mainform::TFontSetting font = mainform::FontSettingOf(Inis.Font, Inis.FontCharSet);
    ini.WriteString(Font, QStringLiteral("Name"), font.Name);
    ini.WriteInteger(Font, QStringLiteral("Size"), font.Size);
    ini.WriteInteger(Font, QStringLiteral("CharSet"), font.CharSet);
    ini.WriteInteger(Font, QStringLiteral("Style"), font.Style);

    // A maximised window keeps the bounds it had before, like the desktop does.
    const QRect bounds = isMaximized() ? normalGeometry() : QRect(pos(), size());
    ini.WriteInteger(FormPos, QStringLiteral("Left"), bounds.x());
    ini.WriteInteger(FormPos, QStringLiteral("Top"), bounds.y());
    ini.WriteInteger(FormPos, QStringLiteral("Width"), bounds.width());
    ini.WriteInteger(FormPos, QStringLiteral("Height"), bounds.height());
    ini.WriteInteger(FormPos, QStringLiteral("ListHeight"), MessageAreaHeight());

    for (int i = 0; i < TInisRecord::RecentFileCount; ++i)
        ini.WriteString(Files, QStringLiteral("File%1").arg(i + 1), Inis.Files[i]);
    ini.Flush();
}
