// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace doscall {

// A program to start and its arguments.
struct TCommand {
    QString Program;
    QStringList Arguments;
};

// The terminal emulator console programs run in, as a full path: $TERMINAL,
// then x-terminal-emulator, then xterm, konsole, gnome-terminal and
// xfce4-terminal, the first one found. Empty when there is none.
QString FindTerminal();

// How `terminal` runs `program` with its `arguments` in a window of its own.
// Each terminal has its own way; a symbolic link (x-terminal-emulator) is
// followed to the terminal it names, and an unknown one gets the "-e" that
// every x-terminal-emulator understands. Only the xterm family can open
// minimised ("-iconic"); the others open normally. The xterm family is
// given a scalable monospace font, so it shows every character a program prints.
TCommand TerminalCommand(const QString& terminal, const QString& program,
                         const QStringList& arguments, bool minimised);

} // namespace doscall
