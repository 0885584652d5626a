#include "document/interface_language.h"

#include "platform/text_case.h"

namespace nv::document {

namespace {

constexpr int kMaxLayouts = 64;

bool IsRussianOrUkrainian(std::string_view name) {
  return name == "ru" || name == "ua" || name == "uk";
}

// "ru(phonetic)" and "ru:2" name the layout "ru".
std::string_view LayoutName(std::string_view entry) {
  const std::size_t end = entry.find_first_of("(:");
  entry = entry.substr(0, end);
  while (!entry.empty() && entry.front() == ' ') entry.remove_prefix(1);
  while (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
  return entry;
}

}  // namespace

bool HasRussianKeyboardLayout(const KeyboardLayoutSource& source) {
  const std::string names = source.LayoutNames();
  if (!names.empty()) {
    std::string_view rest = names;
    for (int i = 0; i < kMaxLayouts; ++i) {
      const std::size_t comma = rest.find(',');
      if (IsRussianOrUkrainian(LayoutName(rest.substr(0, comma)))) return true;
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    return false;
  }
  const std::string locale = source.Locale();
  const std::string_view language = std::string_view(locale).substr(0, locale.find_first_of("_.@"));
  return language == "ru" || language == "uk";
}

std::string ChooseInterfaceLanguage(std::string_view stored, bool russianLayout) {
  if (platform::SameTextIgnoringCase(stored, "RUS")) return "RUS";
  if (platform::SameTextIgnoringCase(stored, "ENU")) return "ENU";
  return russianLayout ? "RUS" : "ENU";
}

}  // namespace nv::document
