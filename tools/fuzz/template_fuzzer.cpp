// Feeds arbitrary bytes to the chord, symbol and drum-style template
// readers: each file is refused with the format error or loads, saves,
// loads and saves to the same bytes (library_exercise.h).
#include <cstdlib>

#include "library_exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!library_exercise::ExerciseTemplate(library_exercise::Bytes(data, data + size)).empty()) std::abort();
  return 0;
}
