#!/usr/bin/env bash
# Installs what is missing, builds a release and starts the program; any
# arguments (a score file to open) are passed on.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${NOTAVISTRA_RELEASE_BUILD:-$root/build-release}"

"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DNOTAVISTRA_TESTS=OFF -DNOTAVISTRA_BENCH=OFF
cmake --build "$build" -j "$(nproc)"
exec "$build/src/app/notavistra" "$@"
