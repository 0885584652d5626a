#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/atomic_file.h"

namespace nv::platform {

// Decimal with an optional sign and outer blanks, within the range of the
// type, as the ini files write numbers; nothing for any other text.
std::optional<std::int32_t> ParseIniInteger(std::string_view text);

// A settings or list file in the usual "[Section]" / "Key=Value" syntax.
//
// - Section and key names compare without regard to ASCII case and keep the
//   spelling and order they were first written with.
// - Every line the class does not change (comments, blank lines, sections
//   and keys nobody asked for, the byte-order mark, each line's end: CRLF,
//   LF or CR) is written back as it was read, so an untouched file saves to
//   its own bytes.
// - A value is the text after the first "=", outer blanks removed; there is
//   no quoting and no splitting. Of two equal keys in a section the first
//   counts.
// - A file that exists but cannot be read is never overwritten: Save refuses
//   it. A missing file is an empty one.
class IniFile {
 public:
  // Reads the file at `path`; never raises (see LoadError).
  explicit IniFile(std::string path);
  // The same syntax read from `text`, for a file to be saved at `path`.
  static IniFile FromText(std::string path, std::string_view text);

  const std::string& Path() const { return path_; }
  // Empty, or why an existing file could not be read ("Cannot read "x":
  // Permission denied").
  const std::string& LoadError() const { return loadError_; }

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // ParseIniInteger of the value, else `fallback`.
  std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
  // True for a non-zero integer, false for zero, `fallback` otherwise.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;
  // Section names, then the keys of one section, in file order, each once.
  std::vector<std::string> ReadSections() const;
  std::vector<std::string> ReadSection(std::string_view section) const;

  // Sets the first entry of the key, or appends one after the section's last
  // entry (a new section goes at the end). Raises std::invalid_argument for
  // a name or value the syntax cannot hold (a line break, a key with "=" or
  // blanks around it, a section with "]").
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  // Written as 1 or 0.
  void WriteBool(std::string_view section, std::string_view key, bool value);
  // Removes every entry of the key in the section.
  void DeleteKey(std::string_view section, std::string_view key);
  // Removes the section with its entries and comments.
  void EraseSection(std::string_view section);

  // The file's bytes as Save writes them.
  std::string Text() const;
  // Replaces the file through ReplaceFileAtomically, keeping its
  // permissions. Raises FileReplaceError naming the path and the reason,
  // also when the file could not be read.
  void Save(const FileCalls& calls = SystemFileCalls()) const;

 private:
  struct Line {
    std::string text;  // as read, without its line end
    std::string end;   // "\r\n", "\n", "\r", or none for the last line
    std::string key;   // empty for a line that is no entry
    std::string value;
  };
  struct Section {
    std::string name;
    bool hasHeader = false;  // false for the lines before the first header
    Line header;
    std::vector<Line> lines;
  };

  // Where the first section of a name and the first entry of a key lie, so
  // that a file of many entries is not searched line by line per lookup.
  struct Index {
    std::unordered_map<std::string, std::size_t> sections;
    std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> entries;
  };

  IniFile() = default;
  void Parse(std::string_view text);
  const Index& Indexed() const;
  const Line* FindEntry(std::string_view section, std::string_view key) const;

  std::string path_;
  std::string loadError_;
  std::string loadReason_;
  bool byteOrderMark_ = false;
  // The first line's end, for the lines this class adds.
  std::string lineEnd_ = "\n";
  std::vector<Section> sections_;
  mutable Index index_;
  mutable bool indexValid_ = false;
};

}  // namespace nv::platform
