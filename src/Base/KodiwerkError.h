// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <stdexcept>

// A failure the program does not test for (a file that cannot be read or
// written, a number field that is not a number): it ends the running command
// and is shown in the general error box with this text. Widget-free code
// throws it; the main window's command guard shows it.
class EKodiwerkError : public std::runtime_error {
public:
    explicit EKodiwerkError(const QString& text)
        : std::runtime_error(text.toStdString()), Text(text) {}
    QString Text;
};
