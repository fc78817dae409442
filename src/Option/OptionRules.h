// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

// The rules behind the options dialog's fields, without widgets.
namespace option {

// The number fields' labels; they also name the fields in range errors.
inline const QString TabsLabel = QStringLiteral("Tab-Einrückungen");
inline const QString AppXLabel = QStringLiteral("Weite des Applet-Fensters");
inline const QString AppYLabel = QStringLiteral("Höhe des Applet-Fensters");

// A number field's text as a signed 32-bit decimal integer: an optional sign
// and ASCII digits, nothing else (no blanks, no hex). Empty when the text is
// no such number or does not fit.
std::optional<int32_t> ParseInt32(const QString& text);

// The value of a number field that must lie within [min, max], or the text
// of the general error that refuses it: "'<text>' ist kein gültiger
// Integerwert" for text that is no decimal number, the allowed range (see
// OutOfRangeText) for a number outside it, however large.
struct TFieldNumber {
    std::optional<int32_t> Value;
    QString Error; // empty when Value is set
};
TFieldNumber ReadNumberField(const QString& text, const QString& label, int min, int max);

// The key filter of the number fields: digits pass, and every character
// that is not printable (control characters such as the DEL that the Delete
// key types); printable characters other than ASCII digits are dropped.
bool PassesNumberKey(QChar key);

// Everything up to and including the last path separator; empty when there is none.
QString DirectoryPart(const QString& path);

// The general error text for a number field that holds no number.
QString NotAnIntegerText(const QString& text);
// The general error text for a number field, named by its label, whose
// number lies outside [min, max].
QString OutOfRangeText(const QString& label, int min, int max);

} // namespace option
