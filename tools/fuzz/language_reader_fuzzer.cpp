// Feeds arbitrary bytes to the interface-language reader (see
// language_exercise.h): a file is used only when every offset in it checks,
// and what is used reads, rewrites and reads back the same.
#include <cstdlib>
#include <cstdio>

#include "language_exercise.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (const std::string problem = language_exercise::Exercise({data, size}); !problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
