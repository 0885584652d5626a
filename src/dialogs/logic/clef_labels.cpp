#include "dialogs/logic/clef_labels.h"

namespace nv::dialogs {
namespace {

bool IsBreak(char32_t c) { return c == U' ' || c == U')' || c == U',' || c == U';'; }

std::u32string Trimmed(std::u32string_view text) {
  const auto first = text.find_first_not_of(U' ');
  if (first == std::u32string_view::npos) return {};
  const auto last = text.find_last_not_of(U' ');
  return std::u32string(text.substr(first, last - first + 1));
}

}  // namespace

std::vector<std::u32string> BreakClefLabel(const std::u32string& label, int width,
                                           const std::function<int(char32_t)>& widthOf) {
  std::vector<std::u32string> lines;
  auto add = [&](std::u32string_view piece) {
    if (auto line = Trimmed(piece); !line.empty()) lines.push_back(std::move(line));
  };
  std::size_t start = 0;
  int sum = 0;
  for (std::size_t i = start; i < label.size(); ++i) {
    sum += widthOf(label[i]);
    if (sum <= width) continue;
    std::size_t cut = std::u32string::npos;
    for (std::size_t j = i + 1; j-- > start;)
      if (IsBreak(label[j])) {
        cut = j;
        break;
      }
    if (cut == std::u32string::npos)
      for (std::size_t j = i + 1; j < label.size(); ++j)
        if (IsBreak(label[j])) {
          cut = j;
          break;
        }
    if (cut == std::u32string::npos) break;
    add(std::u32string_view(label).substr(start, cut + 1 - start));
    start = cut + 1;
    i = cut;
    sum = 0;
  }
  add(std::u32string_view(label).substr(start));
  return lines;
}

}  // namespace nv::dialogs
