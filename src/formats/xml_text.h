#pragma once

#include <string>
#include <string_view>

// Model text as the character data or attribute value of an XML 1.0
// document in UTF-8: text that is not UTF-8 is decoded as stored text is
// (see DecodeStoredText), characters XML cannot hold (control characters
// other than tab, line feed and carriage return; U+FFFE and U+FFFF) are
// dropped, and & < > " ' become entity references.
std::string XmlEscapedText(std::string_view text);
