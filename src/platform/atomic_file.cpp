#include "platform/atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace nv::platform {
namespace {

namespace fs = std::filesystem;

// The kernel's own limit on links followed in one path.
constexpr int kMaxLinkHops = 40;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

std::string Reason(int error) { return std::system_category().message(error); }

[[noreturn]] void Fail(const std::string& path, int error) { throw FileReplaceError(path, Reason(error)); }

// The file the user's path finally names, and its state when it exists.
struct Target {
  fs::path path;
  bool exists = false;
  struct stat info {};
};

Target FollowLinks(const std::string& chosen) {
  Target target{chosen};
  for (int hops = 0;; ++hops) {
    if (::lstat(target.path.c_str(), &target.info) != 0) {
      if (errno != ENOENT) Fail(chosen, errno);
      return target;
    }
    if (!S_ISLNK(target.info.st_mode)) {
      target.exists = true;
      return target;
    }
    if (hops == kMaxLinkHops) Fail(chosen, ELOOP);
    std::error_code error;
    const fs::path next = fs::read_symlink(target.path, error);
    if (error) Fail(chosen, error.value());
    target.path = next.is_absolute() ? next : target.path.parent_path() / next;
  }
}

// What the system allows the effective user, and then the mode bits on their
// own: a privileged process may write where no write bit is set, but a file
// or folder marked read-only is the owner's word and is kept.
void CheckWritable(const std::string& chosen, const fs::path& path, mode_t mode) {
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) Fail(chosen, errno);
  if ((mode & kWriteBits) == 0) Fail(chosen, EACCES);
}

// 0666 less the umask, the mode a plain create gives. The umask is read from
// /proc because setting it to learn it would race other threads' creates.
mode_t NewFileMode() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("Umask:", 0) == 0) return 0666 & ~static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
  }
  return 0644;
}

// A replaced file keeps its owner and group where the process may set them,
// then its permission bits (a change of owner clears some of them); a new
// file gets what a plain create would give. A file system that cannot store
// modes leaves the temporary file's 0600, which shows the data to fewer
// users, never to more.
void SetOwnerAndMode(int fd, const Target& target) {
  if (!target.exists) {
    (void)!::fchmod(fd, NewFileMode());
    return;
  }
  if (::fchown(fd, target.info.st_uid, target.info.st_gid) != 0) {
    (void)!::fchown(fd, static_cast<uid_t>(-1), target.info.st_gid);
  }
  (void)!::fchmod(fd, target.info.st_mode & 0777);
}

// Returns 0 or the errno of the failed write.
int WriteAll(int fd, std::span<const std::uint8_t> bytes, const FileWriteCall& write) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// Makes the rename itself durable; a folder that cannot be synced (some file
// systems refuse) has the file all the same, so that is no error.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The temporary file: closed and removed unless it was renamed into place.
class TemporaryFile {
 public:
  TemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!kept_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& Path() const { return path_; }
  // Returns 0 or the errno of close, which may report a late write error.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }
  void Keep() { kept_ = true; }

 private:
  int fd_;
  std::string path_;
  bool kept_ = false;
};

}  // namespace

FileReplaceError::FileReplaceError(const std::string& path, const std::string& reason)
    : std::runtime_error("Cannot save \"" + path + "\": " + reason), path_(path), reason_(reason) {}

FileCalls SystemFileCalls() { return {::write, ::rename}; }

void ReplaceFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes, const FileCalls& calls) {
  const Target target = FollowLinks(path);
  const fs::path folder = target.path.has_parent_path() ? target.path.parent_path() : fs::path(".");
  if (target.exists) {
    if (S_ISDIR(target.info.st_mode)) Fail(path, EISDIR);
    if (!S_ISREG(target.info.st_mode)) throw FileReplaceError(path, "Not a regular file");
    CheckWritable(path, target.path, target.info.st_mode);
  }
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0) Fail(path, errno);
  CheckWritable(path, folder, folderInfo.st_mode);

  // mkstemp's name is unique and its open exclusive, so no other writer can
  // take or truncate this file.
  std::string name = (folder / "mdXXXXXX.tmp").string();
  const int fd = ::mkostemps(name.data(), 4, O_CLOEXEC);
  if (fd < 0) Fail(path, errno);
  TemporaryFile temporary(fd, std::move(name));
  SetOwnerAndMode(fd, target);
  if (const int error = WriteAll(fd, bytes, calls.write)) Fail(path, error);
  if (::fsync(fd) != 0) Fail(path, errno);
  if (const int error = temporary.Close()) Fail(path, error);
  if (calls.rename(temporary.Path().c_str(), target.path.c_str()) != 0) Fail(path, errno);
  temporary.Keep();
  SyncFolder(folder);
}

}  // namespace nv::platform
