#include "Main/FontStyle.h"

QFont MakeFont(const TFontSetting& setting, const QFont& base) {
    QFont font = base;
    font.setFamily(setting.Name);
    // Qt refuses sizes below 1 point; the font then keeps its former size.
    if (setting.Size > 0)
        font.setPointSize(setting.Size);
    font.setBold(setting.Style & 1);
    font.setItalic(setting.Style & 2);
    font.setUnderline(setting.Style & 4);
    font.setStrikeOut(setting.Style & 8);
    // The editors work in columns: any family missing here falls back to a fixed-pitch one.
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

TFontSetting FontSettingOf(const QFont& font, int charSet) {
    TFontSetting setting;
    setting.Name = font.family();
    setting.Size = font.pointSize();
    setting.CharSet = charSet;
    setting.Style = (font.bold() ? 1 : 0) | (font.italic() ? 2 : 0) | (font.underline() ? 4 : 0) |
                    (font.strikeOut() ? 8 : 0);
    return setting;
}
