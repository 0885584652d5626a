// Feeds arbitrary bytes to the GIF reader, strict and tolerant. A stream
// either loads or raises a graphic or stream error; every frame that loaded
// decodes or fails the same way, and what decoded saves and loads again.
#include <cstdint>
#include <vector>

#include "formats/gif_image.h"
#include "model/memory_stream.h"

namespace {

void ReadAll(const std::uint8_t* data, std::size_t size, bool tolerant) {
  TGIFsImage image;
  image.Tolerant = tolerant;
  try {
    TMemoryStream input(std::vector<std::uint8_t>(data, data + size));
    image.LoadFromStream(input);
    for (auto& frame : image.Frames) frame->ToRaster();
  } catch (const EInvalidGraphicOperation&) {
    return;
  } catch (const EStreamError&) {
    return;
  }
  if (image.GetEmpty()) return;
  TMemoryStream saved;
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
