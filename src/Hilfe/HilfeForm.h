// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPlainTextEdit;

// The help text window: created at start-up, shown by no command (help
// opens in the browser instead).
class THilfeForm : public QWidget {
    Q_OBJECT
public:
    explicit THilfeForm(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
};
