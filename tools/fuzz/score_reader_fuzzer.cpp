// Feeds arbitrary bytes to the score stream reader and puts whatever loads
// through saving, reloading, layout and drawing (see score_exercise.h). A
// failed step aborts, so libFuzzer keeps the input.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/qt/qt_picture.h"
#include "render/layout_engine.h"
#include "score_exercise.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Pictures decode and scores lay out and draw as in the program.
  nv::platform::installQtPictureDecoder();
  nv::render::InstallLayoutEngine();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string failure = score_exercise::Exercise(std::vector<std::uint8_t>(data, data + size));
  if (!failure.empty()) {
    std::fprintf(stderr, "%s\n", failure.c_str());
    std::abort();
  }
  return 0;
}
