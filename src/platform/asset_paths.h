#pragma once

#include <filesystem>

namespace nv::platform {

// Folder of the data the program ships (fonts, language files, templates,
// help). NOTAVISTRA_ASSETS overrides it; otherwise an "assets" folder beside
// the executable wins over the source tree the program was built from.
std::filesystem::path assetsDir();

// A file below assetsDir(), e.g. assetPath("fonts/MusicSymbols.ttf").
std::filesystem::path assetPath(const std::filesystem::path& relative);

// Folder of the shipped libraries the library folder is seeded from:
// "defaults" in assetsDir() when it is there (an installed program), else
// where the build wrote them.
std::filesystem::path libraryDefaultsDir();

}  // namespace nv::platform
