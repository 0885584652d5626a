#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"

namespace nv::library {

// A list in an ini section: a count key ("AccordMax") and entries named by a
// prefix and their index from 0 ("Accord0", "Accord1", ...).

// The values of the entries below the count, in index order, each once
// (the first of equal keys). Empty values are skipped. The work follows the
// entries the file holds, not the count it claims.
std::vector<std::string> ReadListEntries(const nv::platform::IniFile& file, std::string_view section,
                                         std::string_view countKey, std::string_view prefix);
// Sets the count and the entries 0 .. n-1; entries beyond are left as they
// are (the count hides them).
void WriteListEntries(nv::platform::IniFile& file, std::string_view section, std::string_view countKey,
                      std::string_view prefix, const std::vector<std::string>& values);

}  // namespace nv::library
