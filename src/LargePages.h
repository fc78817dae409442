// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace largepages {

// Opening a long file fills the text document with hundreds of thousands of small pieces, and
// on many machines touching that fresh memory page by page costs more than the filling itself.
// Where the kernel hands out large pages only to programs that ask for them, glibc's malloc can
// ask, but it reads that setting only when a program starts. So a start that opens a long file
// starts the program once more with the setting added, before anything else happens; the
// second start puts the environment back as it was, so that compilers, viewers and terminals
// it starts inherit the user's own.
//
// Returns when there is nothing to do, on the second start, and when the restart fails; does
// not return when the restart happened. Does nothing on systems without glibc.
void RestartWithLargePages(int argc, char** argv);

// Below this size the restart costs more than it saves.
constexpr std::int64_t LongFile = 1 << 20;

// The decision, apart from the system it asks: the kernel's mode line
// ("always [madvise] never"), glibc's version ("2.36"), the user's own setting of
// GLIBC_TUNABLES (nullptr when unset) and the size of the file to open (-1: none).
// Returns the setting to restart with, or "" for no restart.
std::string RestartSetting(const std::string& kernelMode, const std::string& glibcVersion,
                           const char* own, std::int64_t fileSize);

} // namespace largepages
