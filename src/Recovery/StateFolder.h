// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace recovery {

// The user's state folder for Kodiwerk: $XDG_STATE_HOME/quorndel/Kodiwerk when
// that variable holds an absolute path, else ~/.local/state/quorndel/Kodiwerk.
// Elsewhere than on Unix, the local application data folder's quorndel/Kodiwerk.
QString StateFolder();

// Where the copies of unsaved documents live, below the state folder.
QString CopiesFolder(const QString& stateFolder = StateFolder());

} // namespace recovery
