// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace mainform {

// The editor font as the settings store it.
struct TFontSetting {
    enum TStyleBit { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    QString Name;
    int Size = 10;   // points
    int CharSet = 1; // kept for the store only
    int Style = 0;   // TStyleBit set

    bool operator==(const TFontSetting&) const = default;
};

// `base` supplies what the setting does not describe (family fallbacks, hinting).
QFont MakeFont(const TFontSetting& setting, const QFont& base);
TFontSetting FontSettingOf(const QFont& font, int charSet);

} // namespace mainform
