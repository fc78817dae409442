// SPDX-License-Identifier: GPL-3.0-or-later
// Starts as the program does, then tells how it ended up: how often it started, the
// environment its children would inherit, and whether its memory comes in large pages.
#include "LargePages.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// Whether the mapping that holds `address` is marked for large pages ("hg").
bool InLargePages(const void* address) {
    std::ifstream maps("/proc/self/smaps");
    const auto at = reinterpret_cast<unsigned long>(address);
    bool inside = false;
    for (std::string line; std::getline(maps, line);) {
        unsigned long from = 0;
        unsigned long to = 0;
        if (std::sscanf(line.c_str(), "%lx-%lx ", &from, &to) == 2) {
            inside = from <= at && at < to;
        } else if (inside && line.rfind("VmFlags:", 0) == 0) {
            return (line + " ").find(" hg ") != std::string::npos;
        }
    }
    return false;
}

const char* Shown(const char* value) {
    return value ? value : "(unset)";
}

} // namespace

int main(int argc, char** argv) {
    if (const char* log = std::getenv("PROBE_STARTS")) {
        std::ofstream(log, std::ios::app) << "start\n";
    }
    largepages::RestartWithLargePages(argc, argv);
    // A block as large as a long file's text: glibc maps it on its own.
    constexpr std::size_t size = 32 << 20;
    char* block = static_cast<char*>(std::malloc(size));
    std::memset(block, 1, size);
    std::printf("arguments: %d %s\n", argc, argc > 1 ? argv[1] : "");
    std::printf("GLIBC_TUNABLES: %s\n", Shown(std::getenv("GLIBC_TUNABLES")));
    std::printf("KODIWERK_SAVED_TUNABLES: %s\n", Shown(std::getenv("KODIWERK_SAVED_TUNABLES")));
    std::printf("large pages: %s\n", InLargePages(block + size / 2) ? "yes" : "no");
    std::free(block);
    return 0;
}
