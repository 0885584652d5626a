#!/usr/bin/env bash
# Fails when the layers stop pointing one way:
# - a core folder (platform outside qt/, model, render, formats, playback,
#   editing, document, library)
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

# Rank of each folder: a folder may use its own and lower ranks only.
declare -A rank=([platform]=0 [model]=1 [render]=2 [formats]=2 [playback]=2 [editing]=3
                 [document]=4 [library]=4
                 [widgets]=5 [editor]=5 [dialogs]=5 [app]=5)
core=(platform model render formats playback editing document library)
failed=0
fail() { echo "layers: $*" >&2; failed=1; }

core_sources() {
  local folder="$1"
  [ -d "$root/src/$folder" ] || return 0
  if [ "$folder" = platform ]; then
    find "$root/src/platform" -path "$root/src/platform/qt" -prune -o -name '*.[ch]*' -type f -print
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
    done < <(sed -nE 's@^\s*#\s*include\s*"(platform/qt|[a-z]+)/.*@\1@p' "$file")
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
  case "$to" in
    notavistra_options) continue ;;
    notavistra_platform_qt|Qt6::*) fail "$from links $to (Qt)"; continue ;;
    notavistra_*) used="${to#notavistra_}" ;;
    *) continue ;;
  esac
  if [ -z "${rank[$used]+x}" ] || [ "${rank[$used]}" -ge "${rank[$folder]}" ]; then
    fail "$from links $to, which is not below it"
  fi
done < <(sed -nE 's@.*// (notavistra_(platform|model|render|formats|playback|editing|document|library)) -> (.*)$@\1 \3@p' "$graph/targets.dot")

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

[ "$failed" -eq 0 ] && echo "layers: every dependency points down"
exit "$failed"
