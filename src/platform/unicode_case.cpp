#include "platform/unicode_case.h"

#include <cstdint>

namespace nv::platform {
namespace {

using CodePoint = std::uint32_t;

// The capital of a lower-case letter of a run where capital and small
// letters alternate, capital first at `first` (even) or second (odd).
CodePoint PairUpper(CodePoint c, CodePoint firstCapital) {
  return (c - firstCapital) % 2 == 1 ? c - 1 : c;
}

CodePoint Upper(CodePoint c) {
  if (c >= 'a' && c <= 'z') return c - 0x20;
  if (c < 0xB5) return c;
  if (c == 0xB5) return 0x39C;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x12F) return PairUpper(c, 0x100);
  if (c == 0x131) return 'I';
  if (c >= 0x132 && c <= 0x137) return PairUpper(c, 0x132);
  if (c >= 0x139 && c <= 0x148) return PairUpper(c, 0x139);
  if (c >= 0x14A && c <= 0x177) return PairUpper(c, 0x14A);
  if (c >= 0x179 && c <= 0x17E) return PairUpper(c, 0x179);
  if (c == 0x17F) return 'S';
  if (c == 0x3AC) return 0x386;
  if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
  if (c >= 0x3B1 && c <= 0x3CB) return c == 0x3C2 ? 0x3A3 : c - 0x20;
  if (c == 0x3CC) return 0x38C;
  if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0x460 && c <= 0x481) return PairUpper(c, 0x460);
  if (c >= 0x48A && c <= 0x4BF) return PairUpper(c, 0x48A);
  if (c >= 0x4C1 && c <= 0x4CE) return PairUpper(c, 0x4C1);
  if (c == 0x4CF) return 0x4C0;
  if (c >= 0x4D0 && c <= 0x52F) return PairUpper(c, 0x4D0);
  return c;
}

// Length of the UTF-8 sequence at `text[at]` and its code point, or 0 when
// no valid sequence starts there.
std::size_t Decode(std::string_view text, std::size_t at, CodePoint& c) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  if (lead < 0x80) {
    c = lead;
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) length = 2, c = lead & 0x1F;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3, c = lead & 0x0F;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4, c = lead & 0x07;
  else return 0;
  if (at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    c = c << 6 | (byte(i) & 0x3F);
  }
  const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
  if (overlong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return length;
}

// Every capital Upper gives lies below U+0800: one or two bytes.
void Encode(CodePoint c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  out += static_cast<char>(0xC0 | c >> 6);
  out += static_cast<char>(0x80 | (c & 0x3F));
}

}  // namespace

std::string UpperCaseText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t at = 0; at < utf8.size();) {
    CodePoint c = 0;
    const std::size_t length = Decode(utf8, at, c);
    if (length == 0) {
      out += utf8[at++];
      continue;
    }
    const CodePoint upper = Upper(c);
    if (upper == c) {
      out.append(utf8.substr(at, length));
    } else {
      Encode(upper, out);
    }
    at += length;
  }
  return out;
}

}  // namespace nv::platform
