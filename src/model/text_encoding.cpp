#include "model/text_encoding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

#include "model/stream_strings.h"

namespace {

LegacyCodePage gLegacyPage = LegacyCodePage::cp1252;

// Code points of the bytes 0x80..0xBF of code page 1251; 0xC0..0xFF are the
// Cyrillic capitals and small letters U+0410..U+044F in order. 0x98 is
// unassigned and decodes as the replacement character.
constexpr std::array<char16_t, 64> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

// Code points of the bytes 0x80..0x9F of code page 1252; 0xA0..0xFF equal
// their code points. Unassigned bytes decode as the replacement character.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char32_t CodePoint(std::uint8_t byte, LegacyCodePage page) {
  if (byte < 0x80) return byte;
  if (page == LegacyCodePage::cp1251) {
    if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
    return kCp1251High[byte - 0x80];
  }
  if (byte < 0xA0) return kCp1252High[byte - 0x80];
  return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

LegacyCodePage LegacyCodePageForLanguage(std::string_view language) {
  std::string lower(language);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower == "ru" || lower == "russian" ? LegacyCodePage::cp1251 : LegacyCodePage::cp1252;
}

LegacyCodePage LegacyTextCodePage() { return gLegacyPage; }

void SetLegacyTextCodePage(LegacyCodePage page) { gLegacyPage = page; }

bool IsValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<std::uint8_t>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    int follow = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) {
      follow = 1, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      follow = 2, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      follow = 3, c = lead & 0x07, least = 0x10000;
    } else {
      return false;
    }
    if (i + follow >= bytes.size()) return false;
    for (int k = 1; k <= follow; ++k) {
      const auto next = static_cast<std::uint8_t>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and code points past the Unicode range are
    // not UTF-8.
    if (c < least || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) return false;
    i += static_cast<std::size_t>(follow) + 1;
  }
  return true;
}

std::string DecodeStoredText(std::string_view bytes, LegacyCodePage page) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char byte : bytes) AppendUtf8(out, CodePoint(static_cast<std::uint8_t>(byte), page));
  return out;
}

std::string ReadStoredText(ByteStream& stream) { return DecodeStoredText(ReadStreamString(stream), gLegacyPage); }

std::vector<std::string> ReadStoredTextList(ByteStream& stream) {
  std::vector<std::string> list;
  ReadStreamStrings(stream, list);
  for (std::string& text : list) text = DecodeStoredText(text, gLegacyPage);
  return list;
}
