#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nv::platform {

// One property entry of a form record: a dotted path and a value of a kind.
// Kinds 1 and 10 carry a text, 2 a list of lines, 3 a font; any other kind
// carries nothing.
struct LanguageEntry {
  std::string path;
  std::uint8_t kind = 1;
  std::string text;                // kinds 1, 10; the face name for kind 3
  std::vector<std::string> lines;  // kind 2
  std::uint16_t charset = 0;       // kind 3
  std::uint16_t pointSize = 0;     // kind 3
};

// The property entries of a record as far as they apply: reading stops at
// the first text over the limit.
struct LanguageEntries {
  std::vector<LanguageEntry> entries;
  bool endedEarly = false;  // a text over the limit ended the record
};

// The data area of an interface-language file (everything after its header),
// checked whole when it is parsed, so lookups never read outside it. Texts are
// UTF-8 bytes; the accessors hand them out with invalid sequences as U+FFFD.
class LanguageImage {
 public:
  static constexpr std::uint8_t kFormat = 16;
  static constexpr std::size_t kMaxText = 1024;
  static constexpr std::size_t kMaxEntries = 1024;
  // The record offset the writer stores at a tree node where no key ends.
  static constexpr std::uint32_t kNoRecord = 0xFFFFFFFFu;

  // Data offset of the record of a form key; none for an empty or unknown key.
  std::optional<std::uint32_t> FindForm(std::string_view key) const;
  // Numbered text n of a record; "" for n outside the table or a text over
  // the limit.
  std::string GetString(std::uint32_t record, int n) const;
  // Number of numbered texts of a record.
  int StringCount(std::uint32_t record) const;
  // The entries to apply; none when the record has more than kMaxEntries.
  LanguageEntries Entries(std::uint32_t record) const;
  // Entry count as stored (may exceed kMaxEntries).
  std::size_t StoredEntryCount(std::uint32_t record) const;
  // Every form key with its record, in byte order of the keys.
  std::vector<std::pair<std::string, std::uint32_t>> Forms() const;

  std::span<const std::uint8_t> data() const { return data_; }

 private:
  friend struct LanguageFileParser;
  std::vector<std::uint8_t> data_;
};

// The outcome of reading a whole language file.
struct LanguageFile {
  enum class Status { Ok, WrongFormat, Damaged };
  Status status = Status::Damaged;
  std::uint8_t format = 0;
  std::string header1, header2;
  LanguageImage image;         // valid only with Ok
  std::size_t badOffset = 0;   // file offset of the first bad byte (Damaged)
};

// Reads the header, then checks every node, link, record, entry, table and
// text of the data area against its end.
LanguageFile ParseLanguageFile(std::span<const std::uint8_t> file);

// Text of the outcome for a warning: "" for Ok.
std::string DescribeLanguageFileProblem(const LanguageFile& file, std::string_view fileName);

// The language file of a code beside the program's data: the executable's
// name without its extension, ".", the code upper-cased, ".lrf".
std::string LanguageFileName(std::string_view executableName, std::string_view code);

}  // namespace nv::platform
