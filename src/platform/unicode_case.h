#pragma once

#include <string>
#include <string_view>

namespace nv::platform {

// The text upper-cased by Unicode's simple case mapping for the scripts the
// interface languages write: ASCII, Latin-1, Latin Extended-A, Greek and
// Cyrillic ("тихо" gives "ТИХО", "ſ" gives "S"). Letters without a one-letter
// capital ("ß") and other characters stay; bytes that are no UTF-8 stay too.
std::string UpperCaseText(std::string_view utf8);

}  // namespace nv::platform
