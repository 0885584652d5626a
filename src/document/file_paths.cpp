#include "document/file_paths.h"

#include <filesystem>
#include <system_error>

#include "platform/text_case.h"

namespace nv::document {

std::string CanonicalPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  return error ? std::filesystem::absolute(path, error).lexically_normal().string() : canonical.string();
}

bool IsUntitledName(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  return platform::SameTextIgnoringCase(name, kUntitledFileName);
}

}  // namespace nv::document
