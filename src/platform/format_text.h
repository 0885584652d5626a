#pragma once

#include <string>
#include <string_view>

namespace nv::platform {

// Puts one argument into a text of the language files: the first "%s" is
// replaced, every other "%" stays as it stands; a text without "%s" gets the
// argument after a blank. The text is never a printf format.
std::string FormatText(std::string_view text, std::string_view arg);

}  // namespace nv::platform
