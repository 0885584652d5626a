#!/usr/bin/env bash
# Runs a test program on a fresh X display of its own (Xvfb, automatic
# display number), with the openbox window manager or with none.
# Usage: run_x11_tests.sh openbox|none <program> [arguments...]
set -euo pipefail
mode="$1"
shift
export QT_QPA_PLATFORM=xcb
# libxkbcommon reads the X keymap names with strndup past their end, which
# strict string checks report as an overflow inside that library.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}strict_string_checks=0"
unset NOTAVISTRA_WINDOW_MANAGER
[ "$mode" = openbox ] && export NOTAVISTRA_WINDOW_MANAGER=openbox
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  if [ -n "${NOTAVISTRA_WINDOW_MANAGER:-}" ]; then
    openbox --sm-disable &
    wm=$!
    trap "kill $wm 2>/dev/null || true" EXIT
  fi
  "$@"' run_x11_tests "$@"
