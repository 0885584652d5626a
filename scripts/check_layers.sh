#!/usr/bin/env bash
# Fails when the layers stop pointing one way:
# - a core folder (platform outside qt/, platform/sound, model, render,
#   playback, formats, editing, document, library)
#   includes a Qt header or a header of platform/qt/, or a folder that is not
#   below it;
# - a core library links Qt or a library that is not below it;
# - a core source is compiled with a Qt include directory;
# - the widgets' or the dialogs' Qt-free logic (src/widgets/logic,
#   src/dialogs/logic) includes a Qt header, a window header or the Qt
#   backends, or is compiled with a Qt include directory.
# Usage: check_layers.sh <configured build folder>
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:?usage: check_layers.sh <build folder>}"

# Rank of each folder: a folder may use its own and lower ranks only. The
# tens are the layers; the units order folders inside a layer: the sound
# ports sit on the platform, and the MIDI export in formats plays the score
# through playback.
declare -A rank=([platform]=0 [platform/sound]=5 [model]=10
                 [render]=20 [playback]=20 [formats]=25 [editing]=30
                 [document]=40 [library]=40
                 [widgets]=50 [editor]=50 [dialogs]=50 [app]=50)
core=(platform platform/sound model render playback formats editing document library)
failed=0
fail() { echo "layers: $*" >&2; failed=1; }

core_sources() {
  local folder="$1"
  [ -d "$root/src/$folder" ] || return 0
  if [ "$folder" = platform ]; then
    find "$root/src/platform" \( -path "$root/src/platform/qt" -o -path "$root/src/platform/sound" \) -prune \
      -o -name '*.[ch]*' -type f -print
  else
    find "$root/src/$folder" -name '*.[ch]*' -type f
  fi
}

for folder in "${core[@]}"; do
  while IFS= read -r file; do
    [ -n "$file" ] || continue
    while IFS= read -r line; do
      fail "${file#"$root"/} includes a Qt header: $line"
    done < <(grep -E '^\s*#\s*include\s*<Q' "$file" || true)
    while IFS= read -r used; do
      if [ "$used" = platform/qt ]; then
        fail "${file#"$root"/} includes the Qt backends (platform/qt)"
      elif [ -z "${rank[$used]+x}" ]; then
        continue
      elif [ "$used" != "$folder" ] && [ "${rank[$used]}" -ge "${rank[$folder]}" ]; then
        fail "${file#"$root"/} includes $used, which is not below $folder"
      fi
    done < <(sed -nE 's@^\s*#\s*include\s*"(platform/qt|platform/sound|[a-z]+)/.*@\1@p' "$file")
  done < <(core_sources "$folder")
done

while IFS= read -r file; do
  if grep -qE '^\s*#\s*include\s*(<Q|"platform/qt/|"(widgets|dialogs)/[a-z_]+\.h")' "$file"; then
    fail "${file#"$root"/} is window logic and includes Qt or a window"
  fi
done < <(find "$root/src/widgets/logic" "$root/src/dialogs/logic" -name '*.[ch]*' -type f 2>/dev/null)

# Direct link dependencies of the core libraries, from CMake's target graph.
graph="$(mktemp -d)"
trap 'rm -rf "$graph"' EXIT
cmake --graphviz="$graph/targets.dot" "$build" > /dev/null
while read -r from to; do
  folder="${from#notavistra_}"
  folder="${folder/_//}"
  case "$to" in
    notavistra_options) continue ;;
    notavistra_platform_qt|Qt6::*) fail "$from links $to (Qt)"; continue ;;
    notavistra_*) used="${to#notavistra_}"; used="${used/_//}" ;;
    *) continue ;;
  esac
  if [ -z "${rank[$used]+x}" ] || [ "${rank[$used]}" -ge "${rank[$folder]}" ]; then
    fail "$from links $to, which is not below it"
  fi
done < <(sed -nE 's@.*// (notavistra_(platform|platform_sound|model|render|playback|formats|editing|document|library)) -> (.*)$@\1 \3@p' "$graph/targets.dot")

# No Qt include directory on a core source's compile line.
commands="$build/compile_commands.json"
[ -f "$commands" ] || fail "no $commands (configure with CMAKE_EXPORT_COMPILE_COMMANDS)"
if [ -f "$commands" ]; then
  while IFS= read -r file; do
    fail "${file#"$root"/} is compiled with a Qt include directory"
  done < <(awk -v src="$root/src/" '
    /"command":/ { command = $0 }
    /"file":/ {
      file = $0; sub(/.*"file": *"/, "", file); sub(/".*/, "", file)
      if (index(file, src) == 1) {
        rel = substr(file, length(src) + 1)
        if (rel ~ /^(model|render|formats|playback|editing|document|library|widgets\/logic|dialogs\/logic)\// || (rel ~ /^platform\// && rel !~ /^platform\/qt\//))
          if (command ~ /[Qq]t6|\/Qt[A-Z]/) print file
      }
    }' "$commands")
fi

# The window logic libraries link no Qt.
while read -r from to; do
  fail "$from links $to (Qt)"
done < <(sed -nE 's@.*// (notavistra_(widgets|dialogs)_logic) -> (notavistra_platform_qt|Qt6::.*)$@\1 \3@p' "$graph/targets.dot")

[ "$failed" -eq 0 ] && echo "layers: every dependency points down"
exit "$failed"
