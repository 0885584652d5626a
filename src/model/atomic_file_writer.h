#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "model/stream.h"

// A user's file was not written. The text names the file the user chose and
// the reason, e.g. Cannot save "/home/a/song.sfd": No space left on device.
class EFileSaveError : public EWriteError {
 public:
  EFileSaveError(const std::string& path, const std::string& reason);
};

// The system's write call; tests pass one that fails as a full disk does.
using FileWriteCall = std::function<ssize_t(int fd, const void* buffer, std::size_t count)>;

// Makes `bytes` the contents of the file at `path` so that the file holds
// either its old contents or exactly these bytes, never a mix and never what
// another writer saved at the same moment. Every writer of a user's file goes
// through here.
//
// - The bytes go into a file created exclusively under a fresh name in the
//   folder of the file finally written, are pushed to the disk, and that
//   file is renamed over the target; the folder is synced after.
// - A symbolic link is followed: the file it ends at is replaced, the link
//   stays.
// - The new file keeps the old file's permission bits, and its owner and
//   group where the process may set them; a new file gets 0666 less the
//   umask.
// - A target or folder that the system or the mode bits say may not be
//   written is refused before anything is written; the mode bits are checked
//   explicitly because a privileged process is not stopped by them.
// - On failure nothing is left behind, the old file is intact and
//   EFileSaveError names `path` and the system's reason.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         const FileWriteCall& write = ::write);
