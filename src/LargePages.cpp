// SPDX-License-Identifier: GPL-3.0-or-later
#include "LargePages.h"

#include <cstdio>

#if defined(__GLIBC__)
#include <cstdlib>
#include <gnu/libc-version.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace largepages {

namespace {

constexpr char Setting[] = "glibc.malloc.hugetlb";

// The first glibc that knows the setting is 2.35.
bool KnowsSetting(const std::string& version) {
    int major = 0;
    int minor = 0;
    if (std::sscanf(version.c_str(), "%d.%d", &major, &minor) != 2)
        return false;
    return major > 2 || (major == 2 && minor >= 35);
}

} // namespace

std::string RestartSetting(const std::string& kernelMode, const std::string& glibcVersion,
                           const char* own, std::int64_t fileSize) {
    // "always" gives large pages without asking, "never" not even then.
    if (fileSize < LongFile || kernelMode.find("[madvise]") == std::string::npos ||
        !KnowsSetting(glibcVersion))
        return {};
    const std::string user = own ? own : "";
    // What the user set about it stands.
    if (user.find(Setting) != std::string::npos)
        return {};
    const std::string ask = std::string(Setting) + "=1";
    return user.empty() ? ask : user + ":" + ask;
}

} // namespace largepages

#if defined(__GLIBC__)

namespace largepages {

namespace {

constexpr char Variable[] = "GLIBC_TUNABLES";
// The user's own setting while the program restarts: "=" and the value, or "-" for none.
constexpr char Saved[] = "KODIWERK_SAVED_TUNABLES";

std::string KernelMode() {
    std::FILE* file = std::fopen("/sys/kernel/mm/transparent_hugepage/enabled", "r");
    if (!file)
        return {};
    char line[128] = {};
    const bool read = std::fgets(line, sizeof line, file) != nullptr;
    std::fclose(file);
    return read ? line : "";
}

// The size of the file the command line names, -1 when it names none.
std::int64_t FileSize(int argc, char** argv) {
    struct stat file {};
    if (argc < 2 || stat(argv[1], &file) != 0 || !S_ISREG(file.st_mode))
        return -1;
    return file.st_size;
}

// Puts back the user's own setting that Saved holds.
void RestoreEnvironment(const char* saved) {
    if (saved[0] == '=')
        setenv(Variable, saved + 1, 1);
    else
        unsetenv(Variable);
    unsetenv(Saved);
}

} // namespace

void RestartWithLargePages(int argc, char** argv) {
    if (const char* saved = std::getenv(Saved)) {
        RestoreEnvironment(saved);
        return;
    }
    const char* own = std::getenv(Variable);
    const std::string setting =
        RestartSetting(KernelMode(), gnu_get_libc_version(), own, FileSize(argc, argv));
    if (setting.empty())
        return;
    const std::string saved = own ? std::string("=") + own : std::string("-");
    setenv(Saved, saved.c_str(), 1);
    setenv(Variable, setting.c_str(), 1);
    execv("/proc/self/exe", argv);
    // Not restarted: go on as started.
    RestoreEnvironment(saved.c_str());
}

#else

namespace largepages {

void RestartWithLargePages(int, char**) {}

#endif

} // namespace largepages
