#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "document/score_document.h"
#include "platform/form_texts.h"
#include "platform/message_prompt.h"

namespace nv::document {

// The kinds a document is written as: the save dialog's filter index.
// Every index other than 2, 3 and 4 writes a score file.
namespace save_kind {
inline constexpr int kScore = 1;
inline constexpr int kMidi = 2;
inline constexpr int kKaraoke = 3;
inline constexpr int kMusicXml = 4;
}  // namespace save_kind

// What the user chose in the save dialog: the name and the filter index
// (1 for the first filter).
struct SaveChoice {
  std::string path;
  int filterIndex = save_kind::kScore;
};

// The save dialog; a test answers it.
class SaveDialog {
 public:
  virtual ~SaveDialog() = default;
  // `filter` is a filter of the language files ("caption|patterns|...");
  // `fileName` the name it starts with. Nothing when cancelled.
  virtual std::optional<SaveChoice> Ask(std::string_view filter, std::string_view fileName) = 0;
};

// `name` with the extension of the filter index when it has none: 2 ".mid",
// 3 ".kar", 4 ".xml", any other ".sfd".
std::string NameForSaveKind(const std::string& name, int filterIndex);

// The file side of a document window: the name it goes by, whether it has a
// file of its own, the modified state the window shows, and the saving that
// routes each kind to its writer and asks what the user must decide.
//
// A score file names the document and clears its modified state; MIDI,
// karaoke and MusicXML files are exports that leave the name, the caption
// and the modified state as they were. Every failed write shows the generic
// error message with its reason and changes nothing on disk.
class DocumentFile {
 public:
  DocumentFile(ScoreDocument& document, platform::MessagePrompt& prompt, const platform::FormTexts& texts,
               SaveDialog& dialog);

  // "Untitled.sfd" for a new document; always a score file name after a
  // load (an imported song.mid is the document song.sfd).
  const std::string& FileName() const { return fileName_; }
  // The file name without folder and extension.
  std::string Caption() const;
  bool HasFile() const { return hasFile_; }
  // The file the document was read from (canonical; an imported file's own
  // name, not its score file's); empty without one.
  const std::string& Source() const { return source_; }
  // A new document counts as modified until it is first saved, so that
  // closing it offers to save it.
  bool Modified() const { return unsaved_ || document_.Modified(); }

  // Loads `path` unless it is the document's file already (the same
  // canonical path: two names that differ in case are two files). A file
  // that does not load raises its error and changes nothing.
  void Open(const std::string& path);
  // Reads the document's file again, dropping what was changed since; a
  // file that does not load raises its error and changes nothing.
  void Reload();

  // Whether Save would first ask to replace a file: the score file of an
  // imported file stands where another file already is.
  bool SaveAsksToReplace() const;

  // Writes the score file the document has, or asks for a name. A score
  // file that stands where an imported file's score goes, and is not the
  // file it was loaded from, is replaced only when the user says Yes.
  // True when the score file was written.
  bool Save();
  // Asks for a name and kind, and whether an existing file is replaced,
  // then writes. True only when a score file was written.
  bool SaveAs();
  // Writes the document as `kind` to `name`; true only for a score file.
  bool SaveDocument(const std::string& name, int kind);

  // The close question: true when the window may close (playback is then
  // stopped). Yes saves and closes only when the save left nothing
  // unsaved; Cancel and a failed or cancelled save keep the window open.
  bool QuerySave();

 private:
  std::string Text(int n) const;
  // False when `name` exists and the user does not say Yes to replacing it.
  bool ConfirmReplace(const std::string& name);

  ScoreDocument& document_;
  platform::MessagePrompt& prompt_;
  const platform::FormTexts& texts_;
  SaveDialog& dialog_;
  std::string fileName_;
  // The canonical path of the file the score was last read from or saved to.
  std::string source_;
  bool hasFile_ = false;
  bool unsaved_ = true;
};

}  // namespace nv::document
