#include "formats/score_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include "formats/score_stream.h"
#include "model/file_stream.h"
#include "model/memory_stream.h"
#include "model/temp_file_names.h"

namespace {

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  return folder.empty() ? "." : folder;
}

// Makes the rename itself durable; a folder that cannot be synced (some file
// systems refuse) has the file all the same, so that is no error.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Removes the temporary file unless it was renamed.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TTemporaryFile() {
    if (!kept_) std::remove(path_.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;
  const std::string& Path() const { return path_; }
  void Keep() { kept_ = true; }

 private:
  std::string path_;
  bool kept_ = false;
};

}  // namespace

void LoadScoreFromFile(TECMusicScore& score, const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return;
  {
    TFileStream file(path, TFileMode::fmOpenRead);
    LoadScoreFromStream(score, file);
  }
  score.LayoutScore(0, false);
  score.ScrollToCursor();
  score.InvalidateScore();
}

void SaveScoreToFile(const TECMusicScore& score, const std::string& path) {
  TMemoryStream bytes;
  SaveScoreToStream(score, bytes);
  const std::string folder = FolderOf(path);
  TTemporaryFile temporary(folder + "/" + GetTempScoreFileName(".tmp", folder) + ".tmp");
  {
    TFileStream file(temporary.Path(), TFileMode::fmCreate);
    file.WriteBuffer(bytes.Data().data(), bytes.Data().size());
    file.Flush();
  }
  if (std::rename(temporary.Path().c_str(), path.c_str()) != 0) {
    throw EWriteError("Cannot save \"" + path + "\": " + std::strerror(errno));
  }
  temporary.Keep();
  SyncFolder(folder);
}
