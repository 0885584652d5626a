// Feeds arbitrary text to the ini reader and the list, "Terms.ini" and
// "DrumMap.ini" readers: what they read writes and reads back the same
// (library_exercise.h).
#include <cstdlib>

#include "library_exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (!library_exercise::ExerciseListFile(library_exercise::Bytes(data, data + size)).empty()) std::abort();
  return 0;
}
