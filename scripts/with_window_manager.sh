#!/usr/bin/env bash
# Runs a test program on its own X display (xvfb-run -a) under the openbox
# window manager, so that window activation and focus behave as on a desktop.
# Exits 77 (CTest's skip code) when Xvfb is not installed.
# Usage: with_window_manager.sh <program> [arguments...]
set -euo pipefail
if ! command -v xvfb-run > /dev/null || ! command -v Xvfb > /dev/null; then
  echo "SKIPPED: Xvfb is not installed (scripts/install-deps.sh installs it); the focus tests need an X display"
  exit 77
fi
for tool in openbox xdotool xprop; do
  command -v "$tool" > /dev/null || { echo "$tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
done
# The X keymap library copies bounded strings with strndup, which the strict
# string checks read as unterminated; that option is off for these programs.
if [ -n "${ASAN_OPTIONS:-}" ]; then
  export ASAN_OPTIONS="${ASAN_OPTIONS//strict_string_checks=1/strict_string_checks=0}"
fi
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  openbox --sm-disable > /dev/null 2>&1 &
  wm=$!
  # The window manager is up once it names itself on the root window.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q "window id" && break
    sleep 0.05
  done
  status=0
  QT_QPA_PLATFORM=xcb "$@" || status=$?
  kill "$wm" 2> /dev/null || true
  wait "$wm" 2> /dev/null || true
  exit "$status"' with_window_manager "$@"
