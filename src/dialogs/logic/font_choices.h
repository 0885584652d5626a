#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nv::dialogs::font_choice {

// The font-name list from the system's families in their order: a name
// that begins with "@" (a vertical face) or repeats the last name taken,
// without regard to case, is skipped; the list is then sorted
// alphabetically without regard to case.
std::vector<std::string> FontNameList(const std::vector<std::string>& families);

// The first entry equal to the name without regard to case, or -1.
int FindFontName(const std::vector<std::string>& list, std::string_view name);

// The font-style mask: 1 bold, 2 italic, 4 underline, 8 strike-out.
enum Style { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };
inline constexpr Style kStyles[] = {kBold, kItalic, kUnderline, kStrikeOut};

}  // namespace nv::dialogs::font_choice
