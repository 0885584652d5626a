#pragma once

#include <stdexcept>
#include <string>

namespace nv::library {

// A table line the generator cannot use; names the file and the line.
class ELibraryTableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes the libraries the program ships into `folder` (which it creates):
// "Chords.ini", "Symbols.ini", "Drums.ini", "Terms.ini", "DrumMap.ini" and
// their templates in "Templates", from the UTF-8 tables in `tablesFolder`
// (chords.txt, symbols.txt, terms.txt, drum_map.txt) and the default drum
// styles, with the program's own writers. The same tables give the same
// bytes.
void WriteDefaultLibraries(const std::string& tablesFolder, const std::string& folder);

}  // namespace nv::library
