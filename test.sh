#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and builds Kodiwerk where needed, then runs every test.
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)"
