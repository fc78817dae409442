#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up and builds Kodiwerk where needed, then starts it.
# Usage: ./run.sh [Datei.java]
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh" --target kodiwerk
# Qt wants a private runtime directory; where the session provides none (a
# root shell, a container) it would warn on every start and use this one.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/runtime-$(id -un)"
    mkdir -p "$XDG_RUNTIME_DIR" 2>/dev/null || true
    chmod 700 "$XDG_RUNTIME_DIR" 2>/dev/null || true
    export XDG_RUNTIME_DIR
fi
exec "$here/build/src/kodiwerk" "$@"
