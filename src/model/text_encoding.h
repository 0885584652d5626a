#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/stream.h"

// Text in the model is UTF-8. Files written by older versions hold text in
// the Windows code page of the interface language they ran with; such text
// is recognised by not being valid UTF-8 and is decoded from that page.
enum class LegacyCodePage { cp1251, cp1252 };

// Code page 1251 for Russian ("ru", "Russian", any case), 1252 otherwise.
LegacyCodePage LegacyCodePageForLanguage(std::string_view language);

// The code page that stored text is decoded from when it is not UTF-8; set
// by the program when the interface language changes. 1252 at start.
LegacyCodePage LegacyTextCodePage();
void SetLegacyTextCodePage(LegacyCodePage page);

bool IsValidUtf8(std::string_view bytes);

// The bytes themselves when they are valid UTF-8, else their decoding from
// the given code page.
std::string DecodeStoredText(std::string_view bytes, LegacyCodePage page);

// A length-prefixed string or string list of a score stream, decoded with
// LegacyTextCodePage().
std::string ReadStoredText(ByteStream& stream);
std::vector<std::string> ReadStoredTextList(ByteStream& stream);
