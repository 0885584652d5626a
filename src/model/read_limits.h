#pragma once

#include <cstdint>
#include <string>

#include "model/stream.h"

// Bounds on what a score stream may make the reader build. No real score
// comes near them; a file past one is refused as a whole, before the reader
// allocates for it, because reading it would take minutes and gigabytes.

inline constexpr std::int64_t kMaxScoreBytes = 256 * 1024 * 1024;
inline constexpr int kMaxInstruments = 256;
inline constexpr int kMaxRowsPerInstrument = 256;
// Measures of one row, and entries of each per-measure table of an
// instrument (layout records, symbols row, systems).
inline constexpr int kMaxMeasuresPerRow = 30000;
// Measures of all rows and entries of all per-measure tables together.
inline constexpr std::int64_t kMaxScoreMeasures = 500000;

// A stream past one of the bounds. It passes the block guards that skip a
// damaged block, so the whole load fails with its message.
class EFileLimit : public EFileDamage {
 public:
  using EFileDamage::EFileDamage;
};

// Raises EFileLimit("The file holds more than <limit> <what>") when count is
// above limit.
void CheckReadLimit(std::int64_t count, std::int64_t limit, const std::string& what);

// The measures a whole score stream asks for so far.
class ReadBudget {
 public:
  // Counts `count` more per-measure entries, checked against the per-row and
  // the score-wide bound.
  void TakeMeasures(std::int64_t count, const std::string& what);

  // Set when a measure read is longer, as the writer stores it, than a
  // measure block can be: the score may not be saved again as read.
  bool MayNotStoreAgain = false;

 private:
  std::int64_t measures_ = 0;
};
