#include "language_source.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <set>

namespace nv::lang {

using platform::LanguageEntry;
using platform::LanguageForm;
using platform::LanguageImage;

namespace {

// Reads one source line from left to right.
class LineReader {
 public:
  LineReader(const std::string& file, int line, std::string_view text) : file_(file), line_(line), text_(text) {}

  [[noreturn]] void Refuse(const std::string& message) const { throw SourceError(file_, line_, message); }

  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }
  bool AtEnd() {
    SkipBlanks();
    return at_ == text_.size() || text_.substr(at_).starts_with("//");
  }
  bool Take(char c) {
    SkipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  void Expect(char c) {
    if (!Take(c)) Refuse(std::string("expected '") + c + "'");
  }
  bool TakeWord(std::string_view word) {
    SkipBlanks();
    if (!text_.substr(at_).starts_with(word)) return false;
    at_ += word.size();
    return true;
  }
  // Up to (not including) one of the stop characters, blanks trimmed.
  std::string Until(std::string_view stops) {
    SkipBlanks();
    const std::size_t from = at_;
    while (at_ < text_.size() && stops.find(text_[at_]) == std::string_view::npos) ++at_;
    std::string out(text_.substr(from, at_ - from));
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
    return out;
  }
  long Number() {
    SkipBlanks();
    long value = 0;
    const auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + text_.size(), value);
    if (error != std::errc()) Refuse("expected a number");
    at_ = end - text_.data();
    return value;
  }
  std::string Quoted() {
    Expect('"');
    std::string out;
    while (true) {
      if (at_ >= text_.size()) Refuse("text without its closing '\"'");
      const char c = text_[at_++];
      if (c == '"') break;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) Refuse("'\\' at the end of the line");
      const char e = text_[at_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'x': {
          unsigned value = 0;
          const auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + std::min(at_ + 2, text_.size()),
                                                    value, 16);
          if (error != std::errc() || end != text_.data() + at_ + 2) Refuse("'\\x' needs two hex digits");
          at_ += 2;
          out += static_cast<char>(value);
          break;
        }
        default: Refuse(std::string("unknown escape '\\") + e + "'");
      }
    }
    if (out.size() > LanguageImage::kMaxText)
      Refuse("text of " + std::to_string(out.size()) + " bytes, over " + std::to_string(LanguageImage::kMaxText));
    return out;
  }

 private:
  const std::string& file_;
  int line_;
  std::string_view text_;
  std::size_t at_ = 0;
};

LanguageEntry ParseValue(LineReader& in, std::string path) {
  LanguageEntry entry;
  entry.path = std::move(path);
  if (in.Take('[')) {
    entry.kind = 2;
    if (!in.Take(']')) {
      do entry.lines.push_back(in.Quoted());
      while (in.Take(','));
      in.Expect(']');
    }
  } else if (in.TakeWord("font")) {
    entry.kind = 3;
    in.Expect('(');
    entry.text = in.Quoted();
    in.Expect(',');
    const long charset = in.Number();
    in.Expect(',');
    const long size = in.Number();
    in.Expect(')');
    if (charset < 0 || charset > 0xFFFF || size <= 0 || size > 0xFFFF) in.Refuse("font character set or size out of range");
    entry.charset = static_cast<std::uint16_t>(charset);
    entry.pointSize = static_cast<std::uint16_t>(size);
  } else {
    entry.kind = 1;
    entry.text = in.Quoted();
  }
  return entry;
}

}  // namespace

LanguageSource ParseLanguageSource(const std::string& file, std::string_view text) {
  LanguageSource source{file, {}};
  std::set<std::string> keys;
  std::set<std::string> paths;
  std::map<long, std::pair<std::string, int>> numbered;  // of the current form
  const auto closeForm = [&] {
    if (source.forms.empty()) return;
    SourceForm& form = source.forms.back();
    long expected = 0;
    for (auto& [n, value] : numbered) {
      if (n != expected)
        throw SourceError(file, value.second, "numbered text #" + std::to_string(n) + " of [" + form.form.key +
                                                  "] follows a gap: #" + std::to_string(expected) + " is missing");
      form.form.texts.push_back(std::move(value.first));
      form.textLines.push_back(value.second);
      ++expected;
    }
    numbered.clear();
  };
  int lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (lineNumber == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
    LineReader in(file, lineNumber, line);
    if (in.AtEnd()) continue;
    if (in.Take('[')) {
      std::string key = in.Until("]");
      in.Expect(']');
      if (!in.AtEnd()) in.Refuse("text after the form key");
      if (key.empty()) in.Refuse("empty form key");
      if (!keys.insert(key).second) in.Refuse("form [" + key + "] appears twice");
      closeForm();
      paths.clear();
      source.forms.push_back({LanguageForm{key, {}, {}}, lineNumber, {}, {}});
      continue;
    }
    if (source.forms.empty()) in.Refuse("entry before the first [form]");
    SourceForm& form = source.forms.back();
    if (in.Take('#')) {
      const long n = in.Number();
      in.Expect('=');
      std::string value = in.Quoted();
      if (!in.AtEnd()) in.Refuse("text after the value");
      if (n < 0 || n > 0xFFFF) in.Refuse("text number out of range");
      if (numbered.contains(n))
        in.Refuse("numbered text #" + std::to_string(n) + " appears twice (first at line " +
                  std::to_string(numbered[n].second) + ")");
      numbered[n] = {std::move(value), lineNumber};
      continue;
    }
    std::string path = in.Until("=");
    in.Expect('=');
    if (path.empty()) in.Refuse("empty property path");
    if (!paths.insert(path).second) in.Refuse("path " + path + " appears twice in [" + form.form.key + "]");
    form.form.entries.push_back(ParseValue(in, std::move(path)));
    form.entryLines.push_back(lineNumber);
    if (!in.AtEnd()) in.Refuse("text after the value");
    if (form.form.entries.size() > LanguageImage::kMaxEntries)
      in.Refuse("form [" + form.form.key + "] has more than " + std::to_string(LanguageImage::kMaxEntries) +
                " entries");
  }
  closeForm();
  return source;
}

void CheckSameShape(const LanguageSource& reference, const LanguageSource& other) {
  const auto check = [](const LanguageSource& has, const LanguageSource& lacks) {
    std::map<std::string, const SourceForm*> byKey;
    for (const auto& form : lacks.forms) byKey[form.form.key] = &form;
    for (const auto& form : has.forms) {
      const auto found = byKey.find(form.form.key);
      if (found == byKey.end())
        throw SourceError(has.file, form.line, "form [" + form.form.key + "] is missing in " + lacks.file);
      std::set<std::string> paths;
      for (const auto& entry : found->second->form.entries) paths.insert(entry.path);
      for (std::size_t i = 0; i < form.form.entries.size(); ++i)
        if (!paths.contains(form.form.entries[i].path))
          throw SourceError(has.file, form.entryLines[i],
                            "path " + form.form.entries[i].path + " of [" + form.form.key + "] is missing in " +
                                lacks.file);
      for (std::size_t n = found->second->form.texts.size(); n < form.form.texts.size(); ++n)
        throw SourceError(has.file, form.textLines[n],
                          "numbered text #" + std::to_string(n) + " of [" + form.form.key + "] is missing in " +
                              lacks.file);
    }
  };
  check(reference, other);
  check(other, reference);
}

std::vector<std::uint8_t> CompileLanguageSource(const LanguageSource& source) {
  std::vector<LanguageForm> forms;
  for (const auto& form : source.forms) forms.push_back(form.form);
  try {
    return platform::WriteLanguageFile(platform::LanguageFileHeader{}, std::move(forms));
  } catch (const platform::LanguageWriteError& error) {
    int line = source.forms.empty() ? 1 : source.forms.front().line;
    for (const auto& form : source.forms)
      if (form.form.key == error.key()) line = form.line;
    throw SourceError(source.file, line, error.what());
  }
}

namespace {

std::string Quote(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"') out += "\\\"";
    else if (c == '\\') out += "\\\\";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (b < 0x20 || b == 0x7F) out += std::string("\\x") + kHex[b >> 4] + kHex[b & 15];
    else out += c;
  }
  return out + "\"";
}

std::string PrintEntry(const LanguageEntry& entry) {
  std::string out = entry.path + " = ";
  switch (entry.kind) {
    case 1: return out + Quote(entry.text);
    case 10: return out + "kind10 " + Quote(entry.text);
    case 2: {
      out += "[";
      for (std::size_t i = 0; i < entry.lines.size(); ++i) out += (i ? ", " : "") + Quote(entry.lines[i]);
      return out + "]";
    }
    case 3:
      return out + "font(" + Quote(entry.text) + ", " + std::to_string(entry.charset) + ", " +
             std::to_string(entry.pointSize) + ")";
    default: return out + "kind" + std::to_string(entry.kind);
  }
}

}  // namespace

std::string PrintLanguage(const platform::LanguageFileHeader& header, const std::vector<LanguageForm>& forms,
                          std::string_view onlyForm, int onlyText) {
  std::string out;
  if (onlyForm.empty())
    out += "// header " + Quote(header.text1) + " format " + std::to_string(header.format) + " " +
           Quote(header.text2) + "\n";
  std::vector<const LanguageForm*> sorted;
  for (const auto& form : forms) sorted.push_back(&form);
  std::ranges::sort(sorted, {}, [](const LanguageForm* form) { return form->key; });
  for (const LanguageForm* form : sorted) {
    if (!onlyForm.empty() && form->key != onlyForm) continue;
    if (onlyText >= 0) {
      if (onlyText < static_cast<int>(form->texts.size()))
        out += "#" + std::to_string(onlyText) + " = " + Quote(form->texts[onlyText]) + "\n";
      continue;
    }
    out += "[" + form->key + "]\n";
    for (const auto& entry : form->entries) out += PrintEntry(entry) + "\n";
    for (std::size_t n = 0; n < form->texts.size(); ++n)
      out += "#" + std::to_string(n) + " = " + Quote(form->texts[n]) + "\n";
  }
  return out;
}

std::vector<LanguageForm> ReadForms(const LanguageImage& image) {
  std::vector<LanguageForm> forms;
  for (const auto& [key, record] : image.Forms()) {
    LanguageForm form{key, image.Entries(record).entries, {}};
    for (int n = 0; n < image.StringCount(record); ++n) form.texts.push_back(image.GetString(record, n));
    forms.push_back(std::move(form));
  }
  return forms;
}

}  // namespace nv::lang
