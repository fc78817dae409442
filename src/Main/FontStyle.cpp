// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main/FontStyle.h"

namespace mainform {

QFont MakeFont(const TFontSetting& setting, const QFont& base) {
    QFont font = base;
    font.setFamily(setting.Name);
    // Qt refuses sizes below 1 point; the font then keeps its former size.
    if (setting.Size > 0)
        font.setPointSize(setting.Size);
    font.setBold(setting.Style & TFontSetting::Bold);
    font.setItalic(setting.Style & TFontSetting::Italic);
    font.setUnderline(setting.Style & TFontSetting::Underline);
    font.setStrikeOut(setting.Style & TFontSetting::StrikeOut);
    // The editors work in columns: any family missing here falls back to a fixed-pitch one.
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

TFontSetting FontSettingOf(const QFont& font, int charSet) {
    TFontSetting setting;
    setting.Name = font.family();
    setting.Size = font.pointSize();
    setting.CharSet = charSet;
    setting.Style = (font.bold() ? TFontSetting::Bold : 0) |
                    (font.italic() ? TFontSetting::Italic : 0) |
                    (font.underline() ? TFontSetting::Underline : 0) |
                    (font.strikeOut() ? TFontSetting::StrikeOut : 0);
    return setting;
}

} // namespace mainform
