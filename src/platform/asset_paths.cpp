#include "platform/asset_paths.h"

#include <cstdlib>
#include <system_error>

namespace nv::platform {

namespace {

std::filesystem::path executableDir() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : exe.parent_path();
}

}  // namespace

std::filesystem::path assetsDir() {
  if (const char* env = std::getenv("NOTAVISTRA_ASSETS"); env && *env)
    return env;
  if (auto dir = executableDir(); !dir.empty()) {
    std::error_code ec;
    if (std::filesystem::is_directory(dir / "assets", ec))
      return dir / "assets";
  }
  return NOTAVISTRA_ASSETS_DIR;
}

std::filesystem::path assetPath(const std::filesystem::path& relative) {
  return assetsDir() / relative;
}

std::filesystem::path libraryDefaultsDir() {
  std::error_code ec;
  if (auto shipped = assetsDir() / "defaults"; std::filesystem::is_directory(shipped, ec)) return shipped;
  return NOTAVISTRA_LIBRARY_DEFAULTS;
}

}  // namespace nv::platform
