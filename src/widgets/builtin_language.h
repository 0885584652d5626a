#pragma once

#include <cstdint>
#include <span>

namespace nv::widgets {

// The English language file, compiled into the program by the build: the
// texts in force until a language file loads.
std::span<const std::uint8_t> BuiltinLanguageFile();

}  // namespace nv::widgets
