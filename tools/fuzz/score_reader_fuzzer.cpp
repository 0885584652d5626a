// Feeds arbitrary bytes to the score stream reader. A stream either loads or
// raises a stream error; whatever loads must save, and what was saved must
// load again.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/score_stream.h"
#include "model/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TECMusicScore score;
  try {
    TMemoryStream input(std::vector<std::uint8_t>(data, data + size));
    LoadScoreFromStream(score, input);
  } catch (const EStreamError&) {
    return 0;
  }
  TMemoryStream saved;
  try {
    SaveScoreToStream(score, saved);
  } catch (const EWriteError&) {
    // Older layouts can hold more than one measure block of the present
    // layout may; refusing to write such a measure is the sound answer.
    return 0;
  }
  saved.SetPosition(0);
  TECMusicScore again;
  LoadScoreFromStream(again, saved);
  return 0;
}
