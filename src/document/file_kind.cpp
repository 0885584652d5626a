#include "document/file_kind.h"

#include <filesystem>

#include "formats/midi_import.h"
#include "platform/text_case.h"

namespace nv::document {

FileKind KindOfFileName(const std::string& path) {
  if (path.empty()) return FileKind::None;
  if (IsMidiFileName(path)) return FileKind::Midi;
  const std::string extension = std::filesystem::path(path).extension().string();
  if (nv::platform::SameTextIgnoringCase(extension, ".sfd")) return FileKind::Score;
  if (nv::platform::SameTextIgnoringCase(extension, ".xml")) return FileKind::MusicXml;
  return FileKind::Other;
}

}  // namespace nv::document
