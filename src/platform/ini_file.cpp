#include "platform/ini_file.h"

#include <cerrno>
#include <charconv>
#include <optional>
#include <stdexcept>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/text_case.h"

namespace nv::platform {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// Far above any settings or list file; a larger file is refused unread
// instead of filling the memory.
constexpr off_t kMaxFileSize = off_t{64} << 20;

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Folded(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

std::string EntryKey(std::string_view section, std::string_view key) {
  return Folded(section) + '\0' + Folded(key);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

void CheckSection(std::string_view section) {
  if (section.empty() || Trim(section) != section || HasLineBreak(section) ||
      section.find(']') != std::string_view::npos) {
    throw std::invalid_argument("\"" + std::string(section) + "\" cannot be a section name");
  }
}

void CheckKey(std::string_view key) {
  if (key.empty() || Trim(key) != key || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      key.front() == '[' || key.front() == ';' || key.front() == '#') {
    throw std::invalid_argument("\"" + std::string(key) + "\" cannot be a key name");
  }
}

void CheckValue(std::string_view value) {
  if (HasLineBreak(value)) throw std::invalid_argument("A value cannot hold a line break");
}

std::string Reason(int error) { return std::system_category().message(error); }

// The file's bytes, or the reason it cannot be read; a missing file is empty.
struct FileText {
  std::string text;
  std::string error;
};

FileText ReadWholeFile(const std::string& path) {
  FileText result;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT) result.error = Reason(errno);
    return result;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    result.error = Reason(errno);
  } else if (S_ISDIR(info.st_mode)) {
    result.error = Reason(EISDIR);
  } else if (info.st_size > kMaxFileSize) {
    result.error = "File is too large";
  } else {
    char buffer[65536];
    for (;;) {
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        result.error = Reason(errno);
        break;
      }
      if (n == 0) break;
      if (result.text.size() + static_cast<std::size_t>(n) > static_cast<std::size_t>(kMaxFileSize)) {
        result.error = "File is too large";
        break;
      }
      result.text.append(buffer, static_cast<std::size_t>(n));
    }
  }
  ::close(fd);
  if (!result.error.empty()) result.text.clear();
  return result;
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::string_view text) {
  text = Trim(text);
  const bool plus = text.starts_with('+');
  if (plus) text.remove_prefix(1);
  if (text.empty() || (plus && text.front() == '-')) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  FileText file = ReadWholeFile(path_);
  if (!file.error.empty()) {
    loadReason_ = file.error;
    loadError_ = "Cannot read \"" + path_ + "\": " + file.error;
    return;
  }
  Parse(file.text);
}

IniFile IniFile::FromText(std::string path, std::string_view text) {
  IniFile file;
  file.path_ = std::move(path);
  file.Parse(text);
  return file;
}

void IniFile::Parse(std::string_view text) {
  if (text.starts_with(kByteOrderMark)) {
    byteOrderMark_ = true;
    text.remove_prefix(kByteOrderMark.size());
  }
  sections_.push_back(Section{});
  bool firstEnd = true;
  for (std::size_t start = 0; start < text.size();) {
    // CRLF, LF and a lone CR each end a line; each line keeps its own end.
    std::size_t stop = text.find_first_of("\r\n", start);
    if (stop == std::string_view::npos) stop = text.size();
    const std::string_view raw = text.substr(start, stop - start);
    std::size_t next = stop;
    if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
    Line line{std::string(raw), std::string(text.substr(stop, next - stop)), {}, {}};
    if (firstEnd && !line.end.empty()) {
      lineEnd_ = line.end;
      firstEnd = false;
    }
    start = next;

    const std::string_view trimmed = Trim(raw);
    if (trimmed.starts_with('[')) {
      const auto close = trimmed.find(']');
      Section section;
      section.name = Trim(trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
      section.hasHeader = true;
      section.header = std::move(line);
      sections_.push_back(std::move(section));
      continue;
    }
    const auto equals = trimmed.find('=');
    if (!trimmed.starts_with(';') && !trimmed.starts_with('#') && equals != std::string_view::npos) {
      line.key = Trim(trimmed.substr(0, equals));
      if (!line.key.empty()) line.value = Trim(trimmed.substr(equals + 1));
    }
    sections_.back().lines.push_back(std::move(line));
  }
}

const IniFile::Index& IniFile::Indexed() const {
  if (indexValid_) return index_;
  index_ = {};
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    const Section& section = sections_[s];
    if (!section.hasHeader) continue;
    index_.sections.try_emplace(Folded(section.name), s);
    for (std::size_t l = 0; l < section.lines.size(); ++l) {
      if (!section.lines[l].key.empty()) index_.entries.try_emplace(EntryKey(section.name, section.lines[l].key), s, l);
    }
  }
  indexValid_ = true;
  return index_;
}

const IniFile::Line* IniFile::FindEntry(std::string_view section, std::string_view key) const {
  const auto& entries = Indexed().entries;
  const auto found = entries.find(EntryKey(section, key));
  if (found == entries.end()) return nullptr;
  return &sections_[found->second.first].lines[found->second.second];
}

bool IniFile::SectionExists(std::string_view section) const { return Indexed().sections.contains(Folded(section)); }

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  return FindEntry(section, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const Line* line = FindEntry(section, key);
  return line ? line->value : std::string(fallback);
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
  const Line* line = FindEntry(section, key);
  return line ? ParseIniInteger(line->value).value_or(fallback) : fallback;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  const Line* line = FindEntry(section, key);
  const auto value = line ? ParseIniInteger(line->value) : std::nullopt;
  return value ? *value != 0 : fallback;
}

std::vector<std::string> IniFile::ReadSections() const {
  std::vector<std::string> names;
  const auto& sections = Indexed().sections;
  for (std::size_t s = 0; s < sections_.size(); ++s) {
    const Section& section = sections_[s];
    if (section.hasHeader && sections.at(Folded(section.name)) == s) names.push_back(section.name);
  }
  return names;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  const auto& entries = Indexed().entries;
  for (const Section& candidate : sections_) {
    if (!candidate.hasHeader || !SameTextIgnoringCase(candidate.name, section)) continue;
    for (const Line& line : candidate.lines) {
      if (line.key.empty()) continue;
      const auto& [s, l] = entries.at(EntryKey(section, line.key));
      if (&sections_[s].lines[l] == &line) keys.push_back(line.key);
    }
  }
  return keys;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  CheckSection(section);
  CheckKey(key);
  CheckValue(value);
  const auto& index = Indexed();
  if (const auto found = index.entries.find(EntryKey(section, key)); found != index.entries.end()) {
    Line& line = sections_[found->second.first].lines[found->second.second];
    line.text = line.key + "=" + std::string(value);
    line.value = Trim(value);
    return;
  }
  Line line{std::string(key) + "=" + std::string(value), lineEnd_, std::string(key), std::string(Trim(value))};
  if (const auto found = index.sections.find(Folded(section)); found != index.sections.end()) {
    auto& lines = sections_[found->second].lines;
    auto last = lines.end();
    for (auto it = lines.begin(); it != lines.end(); ++it) {
      if (!it->key.empty()) last = it;
    }
    lines.insert(last == lines.end() ? lines.begin() : last + 1, std::move(line));
  } else {
    Section added;
    added.name = section;
    added.hasHeader = true;
    added.header = Line{"[" + std::string(section) + "]", lineEnd_, {}, {}};
    added.lines.push_back(std::move(line));
    sections_.push_back(std::move(added));
  }
  indexValid_ = false;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  for (Section& candidate : sections_) {
    if (!candidate.hasHeader || !SameTextIgnoringCase(candidate.name, section)) continue;
    std::erase_if(candidate.lines, [&](const Line& line) { return SameTextIgnoringCase(line.key, key); });
  }
  indexValid_ = false;
}

void IniFile::EraseSection(std::string_view section) {
  std::erase_if(sections_, [&](const Section& candidate) {
    return candidate.hasHeader && SameTextIgnoringCase(candidate.name, section);
  });
  indexValid_ = false;
}

std::string IniFile::Text() const {
  std::vector<const Line*> lines;
  for (const Section& section : sections_) {
    if (section.hasHeader) lines.push_back(&section.header);
    for (const Line& line : section.lines) lines.push_back(&line);
  }
  std::string text = byteOrderMark_ ? std::string(kByteOrderMark) : std::string();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    text += lines[i]->text;
    // A last line without an end that others now follow gets the file's.
    text += lines[i]->end.empty() && i + 1 < lines.size() ? lineEnd_ : lines[i]->end;
  }
  return text;
}

void IniFile::Save(const FileCalls& calls) const {
  if (!loadError_.empty()) throw FileReplaceError(path_, "The file could not be read and is kept as it is (" + loadReason_ + ")");
  const std::string text = Text();
  ReplaceFileAtomically(path_, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, calls);
}

}  // namespace nv::platform
