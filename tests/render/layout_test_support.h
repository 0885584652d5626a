#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "model/score_builder.h"
#include "render/layout_dump.h"
#include "render/page_layout.h"

namespace layout_test {

// A score of one instrument with `rows` rows of `measures` empty measures,
// bar numbers from 1, on the default page (100 x 80 mm, 10 mm margins,
// 16 mm interval) at 96 DPI, Zoom and Scale 100.
inline std::unique_ptr<TECMusicScore> MakeScore(int rows, int measures) {
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  TECInstrument* instrument = score->AppendInstrument();
  for (int r = 0; r < rows; ++r) {
    TECRow* row = instrument->AppendRow();
    for (int m = 0; m < measures; ++m) row->AddMeasure();
  }
  score->SetStartBarNumber(1);
  score->LayoutSuspended = false;
  return score;
}

inline TECInstrument& Instrument(TECMusicScore& score) { return *score.CurrentInstrument(); }

inline std::string Record(TECMusicScore& score, int m) {
  return nv::render::DumpMeasureLayout(*Instrument(score).LayoutAt(m), m);
}

// The lines of the layout dump that start with `prefix`.
inline std::vector<std::string> Lines(const TECMusicScore& score, const std::string& prefix) {
  std::istringstream in(nv::render::DumpLayout(score));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  return lines;
}

// The gap before every tick of a laid-out measure that no justification
// touched: the differences of its cumulative x table (Zoom and Scale 100).
inline std::vector<int> Gaps(const TECMeasureLayout& record) {
  std::vector<int> gaps;
  int last = 0;
  for (int x : record.Positions) {
    gaps.push_back(x - last);
    last = x;
  }
  return gaps;
}

}  // namespace layout_test
