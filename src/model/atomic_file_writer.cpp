#include "model/atomic_file_writer.h"

#include <cstdio>

EFileSaveError::EFileSaveError(const std::string& path, const std::string& reason)
    : EWriteError("Cannot save \"" + path + "\": " + reason) {}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileWriteCall& write) {
  try {
    nv::platform::ReplaceFileAtomically(path, bytes, {write, ::rename});
  } catch (const nv::platform::FileReplaceError& error) {
    throw EFileSaveError(error.Path(), error.Reason());
  }
}
