#!/bin/sh
# Sets up and builds Kodiwerk where needed, then starts it.
# Usage: ./run.sh [Datei.java]
set -eu
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh" --target kodiwerk
exec "$here/build/src/kodiwerk" "$@"
