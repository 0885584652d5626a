#pragma once

// What a layout pass leaves, as text, for the tests that compare a relayout
// from one page with a full layout.

#include <cstdio>
#include <sstream>
#include <string>

#include "model/instrument.h"
#include "model/model_dump.h"
#include "model/music_score.h"
#include "render/layout_dump.h"

namespace layout_state {

// The layout and the instrument, without the layout records from the end of
// the last page on: the pass never shrinks the record list, so records of
// empty measures that an earlier, longer layout placed there stay behind.
inline std::string Everything(const TECMusicScore& score) {
  const TECInstrument& instrument = *score.CurrentInstrument();
  const int end = score.PageFirstMeasure(instrument.PageCount());
  auto beyond = [&](const std::string& line) {
    int m = -1;
    return (std::sscanf(line.c_str(), "m%d ", &m) == 1 || std::sscanf(line.c_str(), "  layout %d ", &m) == 1) &&
           m >= end;
  };
  std::istringstream in(nv::render::DumpLayout(score) + DumpInstrument(instrument));
  std::string kept;
  for (std::string line; std::getline(in, line);)
    if (!beyond(line)) kept += line + "\n";
  return kept + "laid out " + std::to_string(instrument.LaidOutRows) + " " + std::to_string(instrument.LaidOutAll) +
         " " + std::to_string(instrument.LaidOutClamped) + "\n";
}

}  // namespace layout_state
