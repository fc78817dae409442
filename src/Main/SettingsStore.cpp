// Loading the settings when the main window is created and writing all of
// them back when it closes; nothing is written in between.
#include "ColMemo/ColorMemo.h"
#include "Main/FontStyle.h"
#include "Main/Inis.h"
#include "Main/MainForm.h"
#include "Main/Prompts.h"
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
    resize(639, 464);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.x() + (area.width() - 639) / 2, area.y() + (area.height() - 464) / 2);
    }
}

void TMainForm::LoadSettings() {
    // Whatever a failure below skips keeps the values from before loading.
    TInis.Clear();
    TInis.Font = CMemo[1]->font();
    QSettings store(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"));
    TRegistryIni ini(store);

    TInis.JdkDir = ini.ReadString(Settings, QStringLiteral("JdkDir"), QString());
    TInis.ProjectDir = ini.ReadString(Settings, QStringLiteral("ProjectDir"), QString());
    TInis.HilfeDir = ini.ReadString(Settings, QStringLiteral("HilfeDir"), QString());
    if (!TInis.ProjectDir.isEmpty())
        OpenDialogInitialDir = TInis.ProjectDir;

    TInis.AutoTab = ini.ReadBool(Settings, QStringLiteral("AutoTab"), true);
    TInis.AWinMin = ini.ReadBool(Settings, QStringLiteral("AWinMin"), true);
    TInis.RWinMin = ini.ReadBool(Settings, QStringLiteral("RWinMin"), false);
    TInis.Tabs = ini.ReadInteger(Settings, QStringLiteral("Tabs"), 2);
    TInis.AppX = ini.ReadInteger(Settings, QStringLiteral("AppX"), 400);
    TInis.AppY = ini.ReadInteger(Settings, QStringLiteral("AppY"), 400);

    for (int i = 0; i < 5; ++i)
        TInis.Files[i] = ini.ReadString(Files, QStringLiteral("File%1").arg(i + 1), QString());

    TFontSetting font;
    font.Name = ini.ReadString(Font, QStringLiteral("Name"), QStringLiteral("Courier New"));
    font.Size = ini.ReadInteger(Font, QStringLiteral("Size"), 10);
    font.CharSet = ini.ReadInteger(Font, QStringLiteral("CharSet"), 1) & 0xFF;
    font.Style = ini.ReadInteger(Font, QStringLiteral("Style"), 0);
    TInis.FontCharSet = font.CharSet;
    ApplyEditorFont(MakeFont(font, CMemo[1]->font()));

    CentreWindow();
    const int left = ini.ReadInteger(FormPos, QStringLiteral("Left"), NoStoredPosition);
    if (left != NoStoredPosition) {
        const int top = ini.ReadInteger(FormPos, QStringLiteral("Top"), 30);
        const int width = ini.ReadInteger(FormPos, QStringLiteral("Width"), 30);
        const int height = ini.ReadInteger(FormPos, QStringLiteral("Height"), 30);
        move(left, top);
        resize(width, height);
    }
}

void TMainForm::SaveSettings() {
    QSettings store(QStringLiteral("quorndel"), QStringLiteral("Kodiwerk"));
    TRegistryIni ini(store);
    ini.WriteString(Settings, QStringLiteral("JdkDir"), TInis.JdkDir);
    ini.WriteString(Settings, QStringLiteral("ProjectDir"), TInis.ProjectDir);
    ini.WriteString(Settings, QStringLiteral("HilfeDir"), TInis.HilfeDir);
    ini.WriteBool(Settings, QStringLiteral("AutoTab"), TInis.AutoTab);
    ini.WriteBool(Settings, QStringLiteral("AWinMin"), TInis.AWinMin);
    ini.WriteBool(Settings, QStringLiteral("RWinMin"), TInis.RWinMin);
    ini.WriteInteger(Settings, QStringLiteral("Tabs"), TInis.Tabs);
    ini.WriteInteger(Settings, QStringLiteral("AppX"), TInis.AppX);
    ini.WriteInteger(Settings, QStringLiteral("AppY"), TInis.AppY);

    const TFontSetting font = FontSettingOf(TInis.Font, TInis.FontCharSet);
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

    for (int i = 0; i < 5; ++i)
        ini.WriteString(Files, QStringLiteral("File%1").arg(i + 1), TInis.Files[i]);
    ini.Flush();
}
