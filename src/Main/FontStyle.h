#pragma once

#include <QFont>
#include <QString>

// The editor font as the settings store it.
struct TFontSetting {
    QString Name;
    int Size = 10;   // points
    int CharSet = 1; // kept for the store only
    int Style = 0;   // bits: 1 bold, 2 italic, 4 underline, 8 strike-out
};

// `base` supplies what the setting does not describe (family fallbacks, hinting).
QFont MakeFont(const TFontSetting& setting, const QFont& base);
TFontSetting FontSettingOf(const QFont& font, int charSet);
