#include "model/file_stream.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int OpenFlags(FileMode mode) {
  switch (mode) {
    case FileMode::fmCreate: return O_RDWR | O_CREAT | O_TRUNC;
    case FileMode::fmOpenRead: return O_RDONLY;
    case FileMode::fmOpenReadWrite: return O_RDWR;
  }
  return O_RDONLY;
}

}  // namespace

FileStream::FileStream(const std::string& path, FileMode mode) : path_(path) {
  fd_ = ::open(path.c_str(), OpenFlags(mode) | O_CLOEXEC, 0666);
  if (fd_ < 0) {
    throw EFileOpenError("Cannot open file \"" + path + "\": " + std::strerror(errno));
  }
}

FileStream::~FileStream() { ::close(fd_); }

void FileStream::Flush() {
  if (::fsync(fd_) != 0) throw EWriteError("Cannot write file \"" + path_ + "\": " + std::strerror(errno));
}

std::size_t FileStream::DoRead(void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::size_t FileStream::DoWrite(const void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::int64_t FileStream::DoSeek(std::int64_t offset, SeekOrigin origin) {
  int whence = SEEK_SET;
  if (origin == SeekOrigin::soCurrent) whence = SEEK_CUR;
  if (origin == SeekOrigin::soEnd) whence = SEEK_END;
  return ::lseek(fd_, offset, whence);
}

std::int64_t FileStream::DoTell() const { return ::lseek(fd_, 0, SEEK_CUR); }

std::int64_t FileStream::DoSize() const {
  struct stat info {};
  return ::fstat(fd_, &info) == 0 ? info.st_size : 0;
}
