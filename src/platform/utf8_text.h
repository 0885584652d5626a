#pragma once

#include <string>
#include <string_view>

namespace nv::platform {

// The bytes as UTF-8, each byte of an invalid sequence (overlong forms,
// surrogates, values above U+10FFFF, cut sequences) replaced by U+FFFD.
std::string Utf8Lossy(std::string_view bytes);

}  // namespace nv::platform
