// Pastes arbitrary bytes as a note-clipboard payload into a score with
// music. A payload pastes whole or not at all; what it pasted saves, and
// undo gives it back.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editing/paste_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto score = paste_target::MakeScore();
  const std::string broken = paste_target::PasteAndUndo(*score, std::vector<std::uint8_t>(data, data + size));
  if (!broken.empty()) {
    std::fprintf(stderr, "%s\n", broken.c_str());
    std::abort();
  }
  return 0;
}
