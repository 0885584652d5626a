#pragma once

#include <unistd.h>

#include <cstdint>
#include <span>
#include <string>

#include "model/stream.h"
#include "platform/atomic_file.h"

// A user's file was not written. The text names the file the user chose and
// the reason, e.g. Cannot save "/home/a/song.sfd": No space left on device.
class EFileSaveError : public EWriteError {
 public:
  EFileSaveError(const std::string& path, const std::string& reason);
};

// The system's write call; tests pass one that fails as a full disk does.
using FileWriteCall = nv::platform::FileWriteCall;

// nv::platform::ReplaceFileAtomically (platform/atomic_file.h) for the
// score's writers: the same guarantees, its failure raised as EFileSaveError
// so that it is a stream write error like every other failed save.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileWriteCall& write = ::write);
