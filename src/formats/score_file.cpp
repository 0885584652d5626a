#include "formats/score_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "formats/musicxml_import.h"
#include "formats/score_stream.h"
#include "model/atomic_file_writer.h"
#include "model/file_stream.h"
#include "model/memory_stream.h"
#include "platform/text_case.h"

void LoadScoreFromFile(TECMusicScore& score, const std::string& path) {
  // Opening a folder succeeds and reads as empty; it gets the reason the
  // system gives for reading one.
  std::error_code error;
  if (std::filesystem::is_directory(path, error))
    throw EFileOpenError("Cannot open file \"" + path + "\": " + std::strerror(EISDIR));
  {
    FileStream file(path, FileMode::fmOpenRead);
    // Raises: no score is built from MusicXML, and the open one stays.
    const std::string extension = std::filesystem::path(path).extension().string();
    auto is = [&](const char* name) { return nv::platform::SameTextIgnoringCase(extension, name); };
    if (is(".xml") || is(".musicxml")) ImportMusicXml(file);
    if (is(".mxl")) ImportCompressedMusicXml();
    LoadScoreFromStream(score, file);
  }
  score.LayoutScore(0, false);
  score.ScrollToCursor();
  score.InvalidateScore();
}

void SaveScoreToFile(const TECMusicScore& score, const std::string& path) {
  MemoryStream bytes;
  try {
    SaveScoreToStream(score, bytes);
  } catch (const EStreamError& error) {
    // A score that cannot be stored (an over-long text) is reported as a
    // failed save of this file; nothing has been written yet.
    throw EFileSaveError(path, error.what());
  }
  WriteFileAtomically(path, bytes.Data());
}
