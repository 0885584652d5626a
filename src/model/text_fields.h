#pragma once

#include <string>
#include <string_view>

// Helpers that read numbers and fields out of configuration strings.

// The text as a decimal integer (optional sign, leading blanks allowed), or
// fallback when it is not one or does not fit an int.
int StrToIntOr(std::string_view text, int fallback);

// When separator occurs in text, removes the part before its first
// occurrence together with the separator and returns that part as a number
// (fallback when it is not one); otherwise returns fallback, text unchanged.
int CutIntField(std::string_view separator, std::string& text, int fallback);

// As CutIntField, returning the part itself.
std::string CutStrField(std::string_view separator, std::string& text, std::string_view fallback);
