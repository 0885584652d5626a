#!/usr/bin/env bash
# Installs what is missing, checks that the layers point one way, builds with
# AddressSanitizer and UndefinedBehaviorSanitizer, runs every test through
# CTest, then builds the fuzz targets and runs each briefly over its corpus.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${NOTAVISTRA_TEST_BUILD:-$root/build-test}"
jobs="$(nproc)"

"$root/scripts/install-deps.sh"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNOTAVISTRA_SANITIZE=ON
"$root/scripts/check_layers.sh" "$build"
cmake --build "$build" -j "$jobs"
cmake --build "$build" --target benchmarks -j "$jobs"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 300
"$root/scripts/fuzz_smoke.sh" "${NOTAVISTRA_FUZZ_BUILD:-$root/build-fuzz}" 20
