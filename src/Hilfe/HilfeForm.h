#pragma once

#include <QWidget>

// The help text window: created at start-up, shown by no command.
class THilfeForm : public QWidget {
    Q_OBJECT
public:
    explicit THilfeForm(QWidget* parent = nullptr);
};
