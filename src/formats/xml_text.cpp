#include "formats/xml_text.h"

#include "model/text_encoding.h"

std::string XmlEscapedText(std::string_view text) {
  const std::string utf8 = DecodeStoredText(text, LegacyTextCodePage());
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    const auto byte = static_cast<unsigned char>(c);
    // U+FFFE and U+FFFF are EF BF BE and EF BF BF.
    if (byte == 0xEF && i + 2 < utf8.size() && utf8[i + 1] == '\xBF' &&
        (utf8[i + 2] == '\xBE' || utf8[i + 2] == '\xBF')) {
      i += 2;
      continue;
    }
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default:
        if (byte >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    }
  }
  return out;
}
