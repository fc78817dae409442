#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

// The rules behind the options dialog's fields, without widgets.
namespace option {

// A number field's text as a signed 32-bit decimal integer: an optional sign
// and ASCII digits, nothing else (no blanks, no hex). Empty when the text is
// no such number or does not fit.
std::optional<int32_t> ParseInt32(const QString& text);

// The key filter of the number fields: digits and control characters pass.
bool PassesNumberKey(QChar key);

// Everything up to and including the last path separator; empty when there is none.
QString DirectoryPart(const QString& path);

// The general error text for a number field that holds no number.
QString NotAnIntegerText(const QString& text);

} // namespace option
