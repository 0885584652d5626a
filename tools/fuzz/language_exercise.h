#pragma once

// What the language-file fuzz target does with an input, shared with the
// test that replays its corpus: parse; when the file is used, look up every
// form, read its entries and texts (numbers outside the table give ""),
// write the forms again and read that back unchanged. Returns "" or what went wrong.

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/language_image.h"
#include "platform/language_writer.h"

namespace language_exercise {

inline std::vector<nv::platform::LanguageForm> ReadBack(const nv::platform::LanguageImage& image) {
  std::vector<nv::platform::LanguageForm> forms;
  for (const auto& [key, record] : image.Forms()) {
    nv::platform::LanguageForm form{key, image.Entries(record).entries, {}};
    const int count = std::min(image.StringCount(record), 4096);
    for (int n = -1; n <= count; ++n) {
      std::string text = image.GetString(record, n);
      if (n >= 0 && n < count) form.texts.push_back(std::move(text));
      else if (!text.empty()) return {};  // outside the table: must be empty
    }
    forms.push_back(std::move(form));
  }
  return forms;
}

// What a reader of the forms gets once written: invalid UTF-8 read as
// U+FFFD may grow a text past the limit, which then reads as "" or ends its
// record.
inline void ApplyTextLimit(std::vector<nv::platform::LanguageForm>& forms) {
  constexpr std::size_t kMax = nv::platform::LanguageImage::kMaxText;
  for (auto& form : forms) {
    for (auto& text : form.texts)
      if (text.size() > kMax) text.clear();
    const auto over = std::ranges::find_if(form.entries, [](const nv::platform::LanguageEntry& entry) {
      return entry.text.size() > kMax ||
             std::ranges::any_of(entry.lines, [](const std::string& line) { return line.size() > kMax; });
    });
    form.entries.erase(over, form.entries.end());
  }
}

inline bool SameForms(const std::vector<nv::platform::LanguageForm>& a, const std::vector<nv::platform::LanguageForm>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].key != b[i].key || a[i].texts != b[i].texts || a[i].entries.size() != b[i].entries.size()) return false;
    for (std::size_t k = 0; k < a[i].entries.size(); ++k) {
      const auto &x = a[i].entries[k], &y = b[i].entries[k];
      if (x.path != y.path || x.kind != y.kind || x.text != y.text || x.lines != y.lines || x.charset != y.charset ||
          x.pointSize != y.pointSize)
        return false;
    }
  }
  return true;
}

inline std::string Exercise(std::span<const std::uint8_t> bytes) {
  using nv::platform::LanguageFile;
  const LanguageFile file = nv::platform::ParseLanguageFile(bytes);
  if (file.status != LanguageFile::Status::Ok) {
    if (file.badOffset > bytes.size()) return "bad offset past the file";
    return "";
  }
  auto forms = ReadBack(file.image);
  // A crafted tree need not be ordered: a key it lists may be one that a
  // lookup cannot reach, and the writer sorts.
  for (const auto& form : forms) file.image.FindForm(form.key);
  std::ranges::stable_sort(forms, {}, &nv::platform::LanguageForm::key);
  std::vector<std::uint8_t> again;
  const auto written = forms;
  ApplyTextLimit(forms);
  try {
    again = nv::platform::WriteLanguageFile({file.header1, file.format, file.header2}, written);
  } catch (const nv::platform::LanguageWriteError&) {
    return "";  // a crafted tree may list a key twice or need longer links
  }
  const LanguageFile reread = nv::platform::ParseLanguageFile(again);
  if (reread.status != LanguageFile::Status::Ok) return "the rewritten file does not parse";
  if (!SameForms(ReadBack(reread.image), forms)) return "the rewritten file reads differently";
  return "";
}

}  // namespace language_exercise
