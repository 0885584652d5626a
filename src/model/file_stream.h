#pragma once

#include <string>

#include "model/stream.h"

// A stream over a file of the disk. fmCreate creates or truncates the file.
enum class FileMode { fmCreate, fmOpenRead, fmOpenReadWrite };

class FileStream : public ByteStream {
 public:
  // Raises EFileOpenError with the path and the system's reason.
  FileStream(const std::string& path, FileMode mode);
  ~FileStream() override;

  const std::string& FileName() const { return path_; }
  // Pushes the written data to the disk; raises EWriteError on failure.
  void Flush();

 protected:
  std::size_t DoRead(void* buffer, std::size_t count) override;
  std::size_t DoWrite(const void* buffer, std::size_t count) override;
  std::int64_t DoSeek(std::int64_t offset, SeekOrigin origin) override;
  std::int64_t DoTell() const override;
  std::int64_t DoSize() const override;

 private:
  std::string path_;
  int fd_ = -1;
};
