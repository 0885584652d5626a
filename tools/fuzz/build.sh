#!/usr/bin/env bash
# Builds the fuzz targets with clang 16 or later (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) into build-fuzz/ (or $1). Clang 14 cannot
# compile the sources against this system's C++ library (no std::span there);
# scripts/install-deps.sh installs clang-16 and libclang-rt-16-dev. CLANGXX
# names another compiler. Clang before 19 needs -fsized-deallocation for the
# block pool's sized operator delete.
#
# The score reader target loads, saves, reloads and saves again (both saves
# equal), lays out every instrument and draws the first page
# (score_exercise.h, which the corpus test replays). Run it for half an hour
# on a copy of the corpus, so that new inputs do not land in the source tree:
#   tools/fuzz/build.sh
#   mkdir -p /tmp/score-corpus && cp tests/formats/corpus/* /tmp/score-corpus/
#   build-fuzz/score_reader_fuzzer -max_total_time=1800 -timeout=10 -rss_limit_mb=2048 /tmp/score-corpus
# Minimise into the corpus kept with the tests:
#   build-fuzz/score_reader_fuzzer -merge=1 tests/formats/corpus /tmp/score-corpus
# The MusicXML targets run the same way: xml_tag_reader_fuzzer from an empty
# folder, musicxml_export_fuzzer from a copy of the score corpus.
# The clipboard target pastes into a score: run it on a copy of
# tests/editing/clipboard_corpus.
# The GIF and JPEG readers work the same way, with the corpora
# tests/formats/gif_corpus and tests/formats/jpeg_corpus
# (-max_len=65536 keeps the inputs small).
# The MIDI import runs the same way from a copy of tests/formats/midi_corpus
# (its first byte picks the layout and the grid). Its corpus keeps a set
# cover of the edges only, so that the tests replay it quickly:
#   build-fuzz/midi_import_fuzzer -set_cover_merge=1 -use_counters=0 -use_value_profile=0 \
#     tests/formats/midi_corpus /tmp/midi-corpus
# The language-file reader runs from a copy of tests/platform/language_corpus
# (-max_len=16384 holds the English file) and keeps a set cover as the MIDI
# import does.
# The library targets (template_fuzzer, library_list_fuzzer,
# chord_code_fuzzer) run the same way from copies of
# tests/library/corpus/templates, lists and chord_codes.
# -fsized-deallocation: clang before 19 leaves it off, and the record pools
# define the sized operator delete.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build-fuzz}"
cmake -S "$root/tools/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="${CLANGXX:-clang++-16}" -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link -fsized-deallocation"
cmake --build "$build" --target score_reader_fuzzer xml_tag_reader_fuzzer musicxml_export_fuzzer \
  gif_reader_fuzzer jpeg_reader_fuzzer midi_import_fuzzer clipboard_payload_fuzzer language_reader_fuzzer \
  template_fuzzer library_list_fuzzer chord_code_fuzzer -j 4
