#include "document/document_file.h"

#include <exception>
#include <filesystem>

#include "document/file_paths.h"
#include "formats/midi_export.h"
#include "formats/musicxml_export.h"
#include "model/atomic_file_writer.h"
#include "model/memory_stream.h"
#include "platform/format_text.h"

namespace nv::document {

namespace fs = std::filesystem;
namespace button = platform::message_button;

namespace {

// Texts of the document window.
constexpr int kCloseQuestion = 25;
constexpr int kCloseCaption = 26;
constexpr int kSaveAsCaption = 27;
constexpr int kSaveFilter = 28;
constexpr int kReplaceQuestion = 33;

}  // namespace

std::string NameForSaveKind(const std::string& name, int filterIndex) {
  if (fs::path(name).has_extension()) return name;
  switch (filterIndex) {
    case save_kind::kMidi:
      return name + ".mid";
    case save_kind::kKaraoke:
      return name + ".kar";
    case save_kind::kMusicXml:
      return name + ".xml";
    default:
      return name + ".sfd";
  }
}

DocumentFile::DocumentFile(ScoreDocument& document, platform::MessagePrompt& prompt, const platform::FormTexts& texts,
                           SaveDialog& dialog)
    : document_(document), prompt_(prompt), texts_(texts), dialog_(dialog), fileName_(kUntitledFileName) {}

std::string DocumentFile::Caption() const { return fs::path(fileName_).stem().string(); }

std::string DocumentFile::Text(int n) const { return texts_.GetString(platform::form_key::kDocumentWindow, n); }

void DocumentFile::Open(const std::string& path) {
  const std::string canonical = CanonicalPath(path);
  if (hasFile_ && canonical == source_) return;
  document_.Load(path);
  fileName_ = fs::path(path).replace_extension(".sfd").string();
  source_ = canonical;
  hasFile_ = true;
  unsaved_ = false;
}

void DocumentFile::Reload() {
  if (!hasFile_) return;
  document_.Load(source_);
  unsaved_ = false;
}

bool DocumentFile::ConfirmReplace(const std::string& name) {
  if (!fs::exists(name)) return true;
  return prompt_.ShowMessageBlock(Text(kSaveAsCaption), platform::FormatText(Text(kReplaceQuestion), name),
                                  platform::message_kind::kQuestion,
                                  button::kYes | button::kNo) == platform::message_result::kYes;
}

bool DocumentFile::SaveAsksToReplace() const {
  // An imported file's score is written next to it: a score file already
  // there is another piece of work unless the document came from it.
  return hasFile_ && CanonicalPath(fileName_) != source_ && fs::exists(fileName_);
}

bool DocumentFile::Save() {
  if (!hasFile_) return SaveAs();
  if (SaveAsksToReplace() && !ConfirmReplace(fileName_)) return false;
  return SaveDocument(fileName_, save_kind::kScore);
}

bool DocumentFile::SaveAs() {
  const std::optional<SaveChoice> choice =
      dialog_.Ask(Text(kSaveFilter), fs::path(fileName_).replace_extension().string());
  if (!choice) return false;
  const std::string name = NameForSaveKind(choice->path, choice->filterIndex);
  if (!ConfirmReplace(name)) return false;
  if (!SaveDocument(name, choice->filterIndex)) return false;
  fileName_ = name;
  hasFile_ = true;
  return true;
}

bool DocumentFile::SaveDocument(const std::string& name, int kind) {
  try {
    switch (kind) {
      case save_kind::kMidi:
      case save_kind::kKaraoke:
        ExportMidiFile(document_.Score(), name, kind == save_kind::kKaraoke);
        return false;
      case save_kind::kMusicXml: {
        MemoryStream bytes;
        ExportMusicXml(document_.Score(), bytes);
        WriteFileAtomically(name, bytes.Data());
        return false;
      }
      default:
        document_.SaveAs(name);
        source_ = CanonicalPath(name);
        unsaved_ = false;
        return true;
    }
  } catch (const std::exception& error) {
    platform::ShowErrorMessage(prompt_, texts_, error.what());
    return false;
  }
}

bool DocumentFile::QuerySave() {
  if (Modified()) {
    const int answer =
        prompt_.ShowMessageBlock(Text(kCloseCaption), platform::FormatText(Text(kCloseQuestion), fileName_),
                                 platform::message_kind::kQuestion, button::kYes | button::kNo | button::kCancel);
    if (answer == platform::message_result::kYes) {
      Save();
      if (Modified()) return false;
    } else if (answer != platform::message_result::kNo) {
      return false;
    }
  }
  document_.Stop();
  return true;
}

}  // namespace nv::document
