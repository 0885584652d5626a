#!/usr/bin/env bash
# Builds every fuzz target (tools/fuzz/build.sh) and runs each for a short
# while over a copy of its corpus, so that neither the fuzz build nor a
# target's oracle breaks unseen. Fails on the first target that finds a fault.
# The seed is fixed, so a run explores the same inputs in the same order on
# every machine: a fault it finds is found again, and a slower machine only
# stops earlier in the same sequence.
# Usage: fuzz_smoke.sh [build folder] [seconds per target, 20 unless given]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build-fuzz}"
seconds="${2:-20}"

"$root/tools/fuzz/build.sh" "$build"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# target, corpus folder (none: from an empty one), extra options
targets=(
  "score_reader_fuzzer tests/formats/corpus"
  "musicxml_export_fuzzer tests/formats/corpus"
  "xml_tag_reader_fuzzer -"
  "gif_reader_fuzzer tests/formats/gif_corpus -max_len=65536"
  "jpeg_reader_fuzzer tests/formats/jpeg_corpus -max_len=65536"
  "midi_import_fuzzer tests/formats/midi_corpus"
  "clipboard_payload_fuzzer tests/editing/clipboard_corpus"
  "language_reader_fuzzer tests/platform/language_corpus -max_len=16384"
  "template_fuzzer tests/library/corpus/templates"
  "library_list_fuzzer tests/library/corpus/lists"
  "chord_code_fuzzer tests/library/corpus/chord_codes"
)
for entry in "${targets[@]}"; do
  read -r target corpus options <<<"$entry"
  copy="$work/$target"
  mkdir -p "$copy"
  [ "$corpus" = - ] || cp "$root/$corpus"/* "$copy/"
  echo "fuzz smoke: $target for ${seconds}s over ${corpus}"
  # shellcheck disable=SC2086 # the options are separate words
  if ! "$build/$target" -seed=1 -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$work/$target-" $options "$copy" >"$work/$target.log" 2>&1; then
    tail -n 60 "$work/$target.log" >&2
    echo "fuzz smoke: $target found a fault" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "$work/$target.log" || true
done
