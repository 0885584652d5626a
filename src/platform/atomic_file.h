#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>

namespace nv::platform {

// A file was not replaced. The text names the file the caller chose and the
// reason, e.g. Cannot save "/home/a/song.sfd": No space left on device.
class FileReplaceError : public std::runtime_error {
 public:
  FileReplaceError(const std::string& path, const std::string& reason);
  const std::string& Path() const { return path_; }
  const std::string& Reason() const { return reason_; }

 private:
  std::string path_;
  std::string reason_;
};

// The system calls a replacement makes that may fail on a healthy system;
// tests pass ones that fail as a full disk or a lost rename does.
using FileWriteCall = std::function<ssize_t(int fd, const void* buffer, std::size_t count)>;
using FileRenameCall = std::function<int(const char* from, const char* to)>;
struct FileCalls {
  FileWriteCall write;
  FileRenameCall rename;
};
// ::write and ::rename.
FileCalls SystemFileCalls();

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
//   FileReplaceError names `path` and the system's reason.
void ReplaceFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                           const FileCalls& calls = SystemFileCalls());

}  // namespace nv::platform
