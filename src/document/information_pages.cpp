#include "document/information_pages.h"

#include <cctype>
#include <string>
#include <system_error>

#include "document/help_pages.h"

namespace nv::document {

namespace fs = std::filesystem;

namespace {

bool IsFile(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

fs::path ReferenceIn(const fs::path& dataDir, std::string_view folder) {
  return dataDir / "Help" / folder / "References" / "References.htm";
}

}  // namespace

fs::path referencePath(const fs::path& dataDir, std::string_view language) {
  const std::string_view folder = HelpLanguageFolder(language);
  if (!folder.empty() && IsFile(ReferenceIn(dataDir, folder))) return ReferenceIn(dataDir, folder);
  return ReferenceIn(dataDir, "English");
}

std::optional<fs::path> newsPath(const fs::path& dataDir, std::string_view language) {
  std::string code;
  for (char c : language) code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  // A code that would leave the folder names no page.
  if (code.empty() || code.find_first_of("/\\.") != std::string::npos) return std::nullopt;
  fs::path page = dataDir / "News" / (code + "News.html");
  if (!IsFile(page)) return std::nullopt;
  return page;
}

fs::path tutorialPath(const fs::path& dataDir) { return dataDir / "Tutorial" / "Tutorial.avi"; }

fs::path aboutPicturePath(const fs::path& dataDir) { return dataDir / "About.bmp"; }

}  // namespace nv::document
