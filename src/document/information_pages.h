#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace nv::document {

// Where the information windows find their files in the program's data
// folder. Language codes are compared without regard to case.

// The quick reference of an interface language:
// "Help/<English|Russian|Deutsch>/References/References.htm". Another
// language, or one whose page is missing, takes the English page (which
// may itself be missing: the window then says that it is not installed).
std::filesystem::path referencePath(const std::filesystem::path& dataDir, std::string_view language);

// What is new in this version: "News/" + code + "News.html", the code in
// upper case; none when the language has no page.
std::optional<std::filesystem::path> newsPath(const std::filesystem::path& dataDir, std::string_view language);

// The tutorial video: "Tutorial/Tutorial.avi".
std::filesystem::path tutorialPath(const std::filesystem::path& dataDir);

// The picture of the about and splash windows: "About.bmp".
std::filesystem::path aboutPicturePath(const std::filesystem::path& dataDir);

}  // namespace nv::document
