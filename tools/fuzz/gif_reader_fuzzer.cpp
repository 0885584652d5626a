// Feeds arbitrary bytes to the GIF reader, strict and tolerant. A stream
// either loads or raises a graphic or stream error; frames decode or fail the
// same way, and what loaded saves and loads again.
#include <cstdint>
#include <vector>

#include "formats/gif_image.h"
#include "model/memory_stream.h"

namespace {

void ReadAll(const std::uint8_t* data, std::size_t size, bool tolerant) {
  TGIFsImage image;
  image.Tolerant = tolerant;
  try {
    MemoryStream input(std::vector<std::uint8_t>(data, data + size));
    image.LoadFromStream(input);
    // Every frame may be as large as the reader allows (2^28 pixels) for a
    // few bytes of input; beyond the first, which loading decodes, only the
    // smaller ones are decoded, so a run tests the coder and not memset.
    for (auto& frame : image.Frames) {
      if (frame.get() == image.Frames.front().get() || std::int64_t{frame->Width} * frame->Height <= (1 << 20)) {
        frame->Bitmap();
      }
    }
  } catch (const EInvalidGraphicOperation&) {
    return;
  } catch (const EStreamError&) {
    return;
  }
  if (image.GetEmpty()) return;
  MemoryStream saved;
  image.SaveToStream(saved);
  saved.SetPosition(0);
  TGIFsImage again;
  again.Tolerant = true;
  again.LoadFromStream(saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ReadAll(data, size, false);
  ReadAll(data, size, true);
  return 0;
}
