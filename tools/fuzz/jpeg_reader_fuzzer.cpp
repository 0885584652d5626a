// Feeds arbitrary bytes to the JPEG reader: it decodes or raises a graphic
// error, and never allocates for more than the declared-size limit allows.
#include <cstdint>
#include <vector>

#include "formats/jpeg_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    DecodeJpeg(std::vector<std::uint8_t>(data, data + size));
  } catch (const EInvalidGraphicOperation&) {
  }
  return 0;
}
