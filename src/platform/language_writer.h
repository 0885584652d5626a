#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/language_image.h"

namespace nv::platform {

// One form of a language file: its key, its property entries in order and
// its numbered texts from 0.
struct LanguageForm {
  std::string key;
  std::vector<LanguageEntry> entries;
  std::vector<std::string> texts;
};

struct LanguageFileHeader {
  std::string text1 = "Notavistra interface language";
  std::uint8_t format = LanguageImage::kFormat;
  std::string text2 = "UTF-8";
};

// Raised when the forms do not fit the format (a link over 65535 bytes, a
// text or path over 65535 bytes, more than 65535 entries or texts, duplicate
// or empty keys).
class LanguageWriteError : public std::runtime_error {
 public:
  explicit LanguageWriteError(const std::string& message, std::string key = {})
      : std::runtime_error(message), key_(std::move(key)) {}
  // A form key below the place that does not fit, when there is one.
  const std::string& key() const { return key_; }

 private:
  std::string key_;
};

// The bytes of a language file holding the forms. The output depends only
// on the input: the keys go into a balanced ternary tree (sorted, median
// first) written parent before children, the records follow the tree in key
// order, each with its entries, then its string table, then its texts. The
// writer writes what it is given, also texts over the reader's limits, so
// that tests can build such files.
std::vector<std::uint8_t> WriteLanguageFile(const LanguageFileHeader& header, std::vector<LanguageForm> forms);

}  // namespace nv::platform
