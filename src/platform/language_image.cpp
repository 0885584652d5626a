#include "platform/language_image.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "platform/utf8_text.h"

namespace nv::platform {

namespace {

constexpr std::size_t kNodeSize = 11;
constexpr std::size_t kLowLink = 5, kEqualLink = 7, kHighLink = 9;

// Little-endian reads that fail instead of reading past the end.
class Bytes {
 public:
  explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}

  bool Has(std::uint64_t offset, std::uint64_t count) const {
    return offset <= data_.size() && count <= data_.size() - offset;
  }
  std::optional<std::uint8_t> U8(std::uint64_t at) const {
    if (!Has(at, 1)) return std::nullopt;
    return data_[at];
  }
  std::optional<std::uint16_t> U16(std::uint64_t at) const {
    if (!Has(at, 2)) return std::nullopt;
    return static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8);
  }
  std::optional<std::uint32_t> U32(std::uint64_t at) const {
    if (!Has(at, 4)) return std::nullopt;
    return static_cast<std::uint32_t>(data_[at]) | static_cast<std::uint32_t>(data_[at + 1]) << 8 |
           static_cast<std::uint32_t>(data_[at + 2]) << 16 | static_cast<std::uint32_t>(data_[at + 3]) << 24;
  }
  std::string Text(std::uint64_t at, std::uint64_t length) const {
    if (!Has(at, length)) return {};
    return std::string(reinterpret_cast<const char*>(data_.data() + at), length);
  }
  // The target of the relative link stored at `field`, none for 0 or a
  // link whose node does not fit.
  std::optional<std::uint64_t> Link(std::uint64_t field) const {
    const auto value = U16(field);
    if (!value || *value == 0) return std::nullopt;
    const std::uint64_t target = field + *value;
    if (!Has(target, kNodeSize)) return std::nullopt;
    return target;
  }
  std::size_t size() const { return data_.size(); }

 private:
  std::span<const std::uint8_t> data_;
};

// Walks one entry starting at `at`; returns the offset after it, or none when
// a text over the limit ends the record. On a read past the end, `bad` gets
// the offset of the field that points there.
struct EntryWalk {
  const Bytes& bytes;
  std::uint64_t bad = 0;
  bool failed = false;

  bool Fail(std::uint64_t at) {
    bad = at;
    failed = true;
    return false;
  }
  // A length-prefixed text; false with `failed` for damage, false without it
  // for a text over the limit.
  bool Text(std::uint64_t& at, std::string* out) {
    const auto length = bytes.U16(at);
    if (!length) return Fail(at);
    if (*length > LanguageImage::kMaxText) return false;
    if (!bytes.Has(at + 2, *length)) return Fail(at);
    if (out) *out = Utf8Lossy(bytes.Text(at + 2, *length));
    at += 2 + *length;
    return true;
  }
  bool Entry(std::uint64_t& at, LanguageEntry* out) {
    const auto pathLength = bytes.U16(at);
    if (!pathLength || !bytes.Has(at + 2, *pathLength)) return Fail(at);
    if (out) out->path = bytes.Text(at + 2, *pathLength);
    at += 2 + *pathLength;
    const auto kind = bytes.U8(at);
    if (!kind) return Fail(at);
    if (out) out->kind = *kind;
    ++at;
    switch (*kind) {
      case 1:
      case 10:
        return Text(at, out ? &out->text : nullptr);
      case 2: {
        const auto count = bytes.U16(at);
        if (!count) return Fail(at);
        at += 2;
        for (unsigned i = 0; i < *count; ++i) {
          std::string line;
          if (!Text(at, out ? &line : nullptr)) return false;
          if (out) out->lines.push_back(std::move(line));
        }
        return true;
      }
      case 3: {
        if (!Text(at, out ? &out->text : nullptr)) return false;
        const auto charset = bytes.U16(at);
        if (!charset) return Fail(at);
        const auto size = bytes.U16(at + 2);
        if (!size) return Fail(at + 2);
        if (out) out->charset = *charset, out->pointSize = *size;
        at += 4;
        return true;
      }
      default:
        return true;  // no value bytes
    }
  }
};

std::optional<std::uint64_t> TableOf(const Bytes& bytes, std::uint32_t record) {
  const auto distance = bytes.U32(record);
  if (!distance) return std::nullopt;
  const std::uint64_t table = std::uint64_t{record} + 4 + *distance;
  if (!bytes.Has(table, 2)) return std::nullopt;
  return table;
}

// Offset of the first bad field of a record that starts inside the data,
// none when it is sound.
std::optional<std::uint64_t> CheckRecord(const Bytes& bytes, std::uint32_t record) {
  const auto table = TableOf(bytes, record);
  if (!table) return record;
  const std::uint16_t count = *bytes.U16(record + 4);
  if (count <= LanguageImage::kMaxEntries) {
    EntryWalk walk{bytes};
    std::uint64_t at = std::uint64_t{record} + 6;
    for (unsigned i = 0; i < count; ++i)
      if (!walk.Entry(at, nullptr)) {
        if (walk.failed) return walk.bad;
        break;
      }
  }
  const std::uint16_t texts = *bytes.U16(*table);
  for (unsigned i = 0; i < texts; ++i) {
    const std::uint64_t field = *table + 2 + 4 * std::uint64_t{i};
    const auto offset = bytes.U32(field);
    if (!offset) return field;
    const std::uint64_t text = std::uint64_t{record} + *offset;
    const auto length = bytes.U16(text);
    if (!length) return field;
    if (*length <= LanguageImage::kMaxText && !bytes.Has(text + 2, *length)) return text;
  }
  return std::nullopt;
}

// Offset of the first bad field of the data area, none when all is sound.
std::optional<std::uint64_t> CheckImage(const Bytes& bytes) {
  if (!bytes.Has(0, kNodeSize)) return 0;
  std::vector<bool> visited(bytes.size(), false);
  std::unordered_set<std::uint32_t> records;
  std::vector<std::uint64_t> pending{0};
  while (!pending.empty()) {
    const std::uint64_t node = pending.back();
    pending.pop_back();
    if (visited[node]) continue;
    visited[node] = true;
    const std::uint32_t record = *bytes.U32(node + 1);
    if (record != LanguageImage::kNoRecord && records.insert(record).second) {
      if (!bytes.Has(record, 6)) return node + 1;
      if (const auto bad = CheckRecord(bytes, record)) return bad;
    }
    for (const std::size_t link : {kHighLink, kEqualLink, kLowLink}) {
      const std::uint64_t field = node + link;
      if (*bytes.U16(field) == 0) continue;
      const auto target = bytes.Link(field);
      if (!target) return field;
      pending.push_back(*target);
    }
  }
  return std::nullopt;
}

}  // namespace

struct LanguageFileParser {
  static LanguageFile Parse(std::span<const std::uint8_t> file) {
    LanguageFile out;
    const Bytes bytes(file);
    std::uint64_t at = 0;
    const auto header = [&](std::string& text) {
      const auto length = bytes.U16(at);
      if (!length || !bytes.Has(at + 2, *length)) return false;
      text = bytes.Text(at + 2, *length);
      at += 2 + *length;
      return true;
    };
    if (!header(out.header1)) {
      out.badOffset = at;
      return out;
    }
    const auto format = bytes.U8(at);
    if (!format) {
      out.badOffset = at;
      return out;
    }
    out.format = *format;
    ++at;
    if (*format != LanguageImage::kFormat) {
      out.status = LanguageFile::Status::WrongFormat;
      out.badOffset = at - 1;
      return out;
    }
    if (!header(out.header2)) {
      out.badOffset = at;
      return out;
    }
    const auto data = file.subspan(at);
    if (const auto bad = CheckImage(Bytes(data))) {
      out.badOffset = at + *bad;
      return out;
    }
    out.image.data_.assign(data.begin(), data.end());
    out.status = LanguageFile::Status::Ok;
    return out;
  }
};

LanguageFile ParseLanguageFile(std::span<const std::uint8_t> file) { return LanguageFileParser::Parse(file); }

std::string DescribeLanguageFileProblem(const LanguageFile& file, std::string_view fileName) {
  switch (file.status) {
    case LanguageFile::Status::Ok:
      return {};
    case LanguageFile::Status::WrongFormat:
      return "language file " + std::string(fileName) + " is not used: format byte " +
             std::to_string(file.format) + " at offset " + std::to_string(file.badOffset) + " is not " +
             std::to_string(LanguageImage::kFormat);
    case LanguageFile::Status::Damaged:
      break;
  }
  return "language file " + std::string(fileName) + " is not used: damaged at offset " +
         std::to_string(file.badOffset);
}

std::optional<std::uint32_t> LanguageImage::FindForm(std::string_view key) const {
  if (key.empty()) return std::nullopt;
  const Bytes bytes(data_);
  if (!bytes.Has(0, kNodeSize)) return std::nullopt;
  std::uint64_t node = 0;
  std::size_t i = 0;
  while (true) {
    const auto c = static_cast<std::uint8_t>(key[i]);
    const std::uint8_t here = data_[node];
    std::optional<std::uint64_t> next;
    if (c == here) {
      if (i + 1 == key.size()) {
        const std::uint32_t record = *bytes.U32(node + 1);
        if (record == kNoRecord || !bytes.Has(record, 6)) return std::nullopt;
        return record;
      }
      ++i;
      next = bytes.Link(node + kEqualLink);
    } else {
      next = bytes.Link(node + (c < here ? kLowLink : kHighLink));
    }
    if (!next) return std::nullopt;
    node = *next;
  }
}

int LanguageImage::StringCount(std::uint32_t record) const {
  const Bytes bytes(data_);
  const auto table = TableOf(bytes, record);
  return table ? *bytes.U16(*table) : 0;
}

std::string LanguageImage::GetString(std::uint32_t record, int n) const {
  if (n < 0 || n >= StringCount(record)) return {};
  const Bytes bytes(data_);
  const auto offset = bytes.U32(*TableOf(bytes, record) + 2 + 4 * std::uint64_t(n));
  if (!offset) return {};
  const std::uint64_t text = std::uint64_t{record} + *offset;
  const auto length = bytes.U16(text);
  if (!length || *length > kMaxText || !bytes.Has(text + 2, *length)) return {};
  return Utf8Lossy(bytes.Text(text + 2, *length));
}

std::size_t LanguageImage::StoredEntryCount(std::uint32_t record) const {
  return Bytes(data_).U16(std::uint64_t{record} + 4).value_or(0);
}

LanguageEntries LanguageImage::Entries(std::uint32_t record) const {
  LanguageEntries out;
  const Bytes bytes(data_);
  const std::size_t count = StoredEntryCount(record);
  if (count > kMaxEntries) return out;
  EntryWalk walk{bytes};
  std::uint64_t at = std::uint64_t{record} + 6;
  for (std::size_t i = 0; i < count; ++i) {
    LanguageEntry entry;
    if (!walk.Entry(at, &entry)) {
      out.endedEarly = true;
      break;
    }
    out.entries.push_back(std::move(entry));
  }
  return out;
}

std::vector<std::pair<std::string, std::uint32_t>> LanguageImage::Forms() const {
  std::vector<std::pair<std::string, std::uint32_t>> out;
  const Bytes bytes(data_);
  if (!bytes.Has(0, kNodeSize)) return out;
  // In-order walk: low subtree, the node's own key, equal subtree, high
  // subtree. A node reached twice (no writer shares nodes) is walked once,
  // so a crafted file cannot make the walk exponential.
  std::vector<bool> visited(data_.size(), false);
  struct Step {
    std::uint64_t node;
    std::string prefix;
    bool expanded;
  };
  std::vector<Step> stack{{0, {}, false}};
  while (!stack.empty()) {
    Step step = std::move(stack.back());
    stack.pop_back();
    const std::string key = step.prefix + static_cast<char>(data_[step.node]);
    if (!step.expanded) {
      if (visited[step.node]) continue;
      visited[step.node] = true;
    }
    if (step.expanded) {
      if (const std::uint32_t record = *bytes.U32(step.node + 1); record != kNoRecord) out.emplace_back(key, record);
      continue;
    }
    if (const auto high = bytes.Link(step.node + kHighLink)) stack.push_back({*high, step.prefix, false});
    if (const auto equal = bytes.Link(step.node + kEqualLink)) stack.push_back({*equal, key, false});
    stack.push_back({step.node, step.prefix, true});
    if (const auto low = bytes.Link(step.node + kLowLink)) stack.push_back({*low, step.prefix, false});
  }
  return out;
}

std::string LanguageFileName(std::string_view executableName, std::string_view code) {
  std::string stem(executableName.substr(executableName.find_last_of('/') + 1));
  if (const auto dot = stem.find_last_of('.'); dot != std::string::npos && dot > 0) stem.resize(dot);
  std::string upper(code);
  std::ranges::transform(upper, upper.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return stem + "." + upper + ".lrf";
}

}  // namespace nv::platform
