#include "dialogs/logic/font_choices.h"

#include <algorithm>
#include <cctype>

namespace nv::dialogs::font_choice {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool EqualNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return Lower(x) == Lower(y);
         });
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return Lower(x) < Lower(y); });
}

}  // namespace

std::vector<std::string> FontNameList(const std::vector<std::string>& families) {
  std::vector<std::string> list;
  for (const std::string& name : families) {
    if (name.empty() || name.front() == '@') continue;
    if (!list.empty() && EqualNoCase(list.back(), name)) continue;
    list.push_back(name);
  }
  std::stable_sort(list.begin(), list.end(), LessNoCase);
  return list;
}

int FindFontName(const std::vector<std::string>& list, std::string_view name) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (EqualNoCase(list[i], name)) return static_cast<int>(i);
  return -1;
}

}  // namespace nv::dialogs::font_choice
