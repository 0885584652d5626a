#pragma once

#include <string>

namespace nv::library {

// A stable, readable account of a library file, chosen by its extension:
// a template (".acc", ".smb", ".drm": header, fields, pieces, notes,
// elements) or a list file (".ini": its sections and entries). A text in
// the music face is shown as its character codes. Raises what loading
// raises.
std::string DumpLibraryFile(const std::string& path);

}  // namespace nv::library
