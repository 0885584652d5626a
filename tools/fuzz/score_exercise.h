#pragma once

// What every stream of bytes must survive, shared by the fuzz target and the
// test that replays its corpus: the bytes either load or are refused with a
// stream error; a score that loads saves, the saved bytes load and save to
// the same bytes, every instrument lays out and the first page draws.

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "formats/score_stream.h"
#include "model/memory_stream.h"
#include "model/music_score.h"
#include "platform/recording_canvas.h"

namespace score_exercise {

// The first thing that went wrong, or "" when nothing did (a refused stream
// included).
inline std::string Exercise(const std::vector<std::uint8_t>& bytes) {
  TECMusicScore score;
  try {
    MemoryStream input(bytes);
    LoadScoreFromStream(score, input);
  } catch (const EStreamError&) {
    return "";
  }
  std::vector<std::uint8_t> first;
  std::vector<std::uint8_t> second;
  try {
    MemoryStream saved;
    SaveScoreToStream(score, saved);
    first = saved.Data();
  } catch (const std::exception& e) {
    return std::string("a loaded score does not save: ") + e.what();
  }
  try {
    TECMusicScore again;
    MemoryStream input(first);
    LoadScoreFromStream(again, input);
    MemoryStream saved;
    SaveScoreToStream(again, saved);
    second = saved.Data();
  } catch (const std::exception& e) {
    return std::string("saved bytes do not load and save again: ") + e.what();
  }
  if (first != second) return "saved bytes load and save to other bytes";

  for (int i = 0; i < score.InstrumentCount(); ++i) {
    score.SetActiveInstrument(i);
    score.LayoutScore(0, false);
  }
  if (score.InstrumentCount() > 0) {
    score.SetActiveInstrument(0);
    score.SetActivePage(0);
    nv::platform::RecordingCanvas canvas;
    score.DrawPage(canvas, score.GetZoom(), score.GetZoom());
  }
  return "";
}

}  // namespace score_exercise
