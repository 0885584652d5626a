#pragma once

#include <string>
#include <string_view>

namespace nv::document {

// The name a new score has until it is saved.
inline constexpr char kUntitledFileName[] = "Untitled.sfd";

// The absolute path with "." and ".." and symbolic links resolved as far as
// the path exists. Two documents are the same file exactly when their
// canonical paths are equal: two names that differ only in case are two files.
std::string CanonicalPath(const std::string& path);

// Whether the path's file name is "Untitled.sfd", compared without case.
bool IsUntitledName(std::string_view path);

}  // namespace nv::document
