// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace dirlist {

// The options dialog's field the directory chooser serves.
enum class TDirField { Jdk, Project };

// Shows the directory chooser for `field`, listing `startDir` (an empty one
// leaves the list where it was); the directory the user took, or nothing.
using TChooseDirectory =
    std::function<std::optional<QString>(const QString& startDir, TDirField field)>;

} // namespace dirlist
