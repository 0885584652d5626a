#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "formats/score_stream.h"
#include "model/memory_stream.h"
#include "model/model_dump.h"
#include "model/music_score.h"

// The tests' oracle for a whole score: the bytes the score file writer
// stores, with the text dump that shows where two of them differ. The
// cursor is left out: undo puts the music back and leaves the cursor where
// the restored music allows.
struct SavedScore {
  explicit SavedScore(const TECMusicScore& score) {
    MemoryStream stream;
    SaveScoreToStream(score, stream);
    bytes = stream.Data();
    const std::size_t cursor = 1 + 2 + std::strlen(kScoreStreamTitle) + 2 + 2;
    std::fill_n(bytes.begin() + static_cast<std::ptrdiff_t>(cursor), 16, 0);
    dump = DumpScore(score);
    const std::size_t line = dump.find("  cursor ");
    dump.erase(line, dump.find('\n', line) + 1 - line);
  }
  bool operator==(const SavedScore& other) const { return bytes == other.bytes; }
  std::vector<std::uint8_t> bytes;
  std::string dump;
};

inline void PrintTo(const SavedScore& saved, std::ostream* out) { *out << "\n" << saved.dump; }
