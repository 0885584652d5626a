#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/language_image.h"

// Property entries of a language file, for the tests that write fixtures.
namespace language_entries {

inline nv::platform::LanguageEntry Text(std::string path, std::string text, std::uint8_t kind = 1) {
  nv::platform::LanguageEntry entry;
  entry.path = std::move(path);
  entry.kind = kind;
  entry.text = std::move(text);
  return entry;
}

inline nv::platform::LanguageEntry List(std::string path, std::vector<std::string> lines) {
  nv::platform::LanguageEntry entry;
  entry.path = std::move(path);
  entry.kind = 2;
  entry.lines = std::move(lines);
  return entry;
}

inline nv::platform::LanguageEntry Font(std::string path, std::string face, std::uint16_t charset,
                                        std::uint16_t pointSize) {
  nv::platform::LanguageEntry entry;
  entry.path = std::move(path);
  entry.kind = 3;
  entry.text = std::move(face);
  entry.charset = charset;
  entry.pointSize = pointSize;
  return entry;
}

// An entry of a kind that carries no value bytes.
inline nv::platform::LanguageEntry OfKind(std::string path, std::uint8_t kind) {
  nv::platform::LanguageEntry entry;
  entry.path = std::move(path);
  entry.kind = kind;
  return entry;
}

}  // namespace language_entries
