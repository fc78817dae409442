#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Kodiwerk needs from Debian's packages (only what is missing),
# then configures and builds it in ./build. Used by run.sh and test.sh.
# Silent when there is nothing to install or build; otherwise it shows what
# it does, and on a failed build the whole log.
set -eu
cd "$(dirname "$0")/.."

# default-jre brings the JDK's windowing part, which the applet viewer needs;
# libxcb1-dev lets the viewer's test read the windows on its X display;
# lintian and man-db check the package and its manual page as Debian does.
PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-translations-l10n libgl-dev libbenchmark-dev \
default-jdk-headless default-jre xterm xvfb x11-utils fonts-dejavu-core fonts-liberation libxcb1-dev \
poppler-utils desktop-file-utils appstream dpkg-dev file lintian man-db groff-base"

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    echo "Kodiwerk: installing$missing (a few minutes the first time)"
    if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
    $SUDO apt-get update -qq
    # shellcheck disable=SC2086 # one word per package
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

if [ ! -f build/CMakeCache.txt ]; then
    echo "Kodiwerk: configuring and building in ./build (several minutes the first time)"
    # A compiler cache, where the machine has one, makes rebuilds of a fresh clone quick.
    options=""
    if command -v ccache >/dev/null 2>&1; then options="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"; fi
    # CI counts every compiler warning as an error.
    if [ -n "${KODIWERK_WARNINGS_AS_ERRORS:-}" ]; then options="$options -DCMAKE_COMPILE_WARNING_AS_ERROR=ON"; fi
    log="$(mktemp)"
    # shellcheck disable=SC2086 # one word per option
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo $options >"$log" 2>&1 ||
        { cat "$log"; rm -f "$log"; exit 1; }
    rm -f "$log"
fi

# The build's progress lines for targets already up to date (and for the code
# generators that run on every build) are left out, so a build with nothing
# to do prints nothing; compiling, linking, warnings and errors still show.
status="$(mktemp)"
echo 0 >"$status"
{ cmake --build build -j"$(nproc)" "$@" 2>&1 || echo "$?" >"$status"; } |
    grep -v -E '^\[ *[0-9]+%\] (Built target|Automatic (MOC|RCC)|Consolidate compiler generated dependencies)' || true
code="$(cat "$status")"
rm -f "$status"
exit "$code"
