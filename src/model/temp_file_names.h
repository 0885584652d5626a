#pragma once

#include <stdexcept>
#include <string>

// Every candidate temporary name of a folder is taken.
class ETempFileNameError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A name "md" + a number 0..99 such that folder/name + extension names no
// existing file; returns the name without folder and extension. Candidates
// are tried from a random start, each once; raises ETempFileNameError when
// all 100 exist.
// The name is free only when checked: another process may take it before it
// is opened. Nothing that replaces a user's file builds on it; that goes
// through WriteFileAtomically (model/atomic_file_writer.h).
std::string GetTempScoreFileName(const std::string& extension, const std::string& folder);

// The same search, for the template libraries.
inline std::string MakeUniqueFileName(const std::string& extension, const std::string& folder) {
  return GetTempScoreFileName(extension, folder);
}
