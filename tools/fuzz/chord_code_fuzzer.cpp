// Feeds arbitrary bytes as a chord code to the four chord-code operations
// (library_exercise.h).
#include <cstdlib>

#include "library_exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!library_exercise::ExerciseChordCode(library_exercise::Bytes(data, data + size)).empty()) std::abort();
  return 0;
}
