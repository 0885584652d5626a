#include "platform/utf8_text.h"

#include <cstdint>

namespace nv::platform {

namespace {

// Length of the valid sequence at bytes[i], 0 when it is not one.
std::size_t ValidSequenceLength(std::string_view bytes, std::size_t i) {
  const auto at = [&](std::size_t k) { return static_cast<std::uint8_t>(bytes[k]); };
  const std::uint8_t b = at(i);
  if (b < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t code = 0, minimum = 0;
  if ((b & 0xE0) == 0xC0) length = 2, code = b & 0x1F, minimum = 0x80;
  else if ((b & 0xF0) == 0xE0) length = 3, code = b & 0x0F, minimum = 0x800;
  else if ((b & 0xF8) == 0xF0) length = 4, code = b & 0x07, minimum = 0x10000;
  else return 0;
  if (i + length > bytes.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((at(i + k) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (at(i + k) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

}  // namespace

std::string Utf8Lossy(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    if (const std::size_t length = ValidSequenceLength(bytes, i)) {
      out.append(bytes.substr(i, length));
      i += length;
    } else {
      out.append("\xEF\xBF\xBD");
      ++i;
    }
  }
  return out;
}

}  // namespace nv::platform
