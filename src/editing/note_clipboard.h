#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TECMusicScore;

// The program's note clipboard: a score's selection as a clipboard payload
// under a format of its own, kept on the installed system clipboard
// (nv::platform::installedClipboard), so that it pastes within a score,
// into another score and into another running copy of the program. Without
// an installed clipboard it holds nothing and takes nothing.
class TVORadizClipboard {
 public:
  // The format's MIME type.
  static constexpr const char* kFormat = "application/x-voradiz";

  // True when the clipboard holds data of the format.
  bool HasNotes() const;
  // Pastes the clipboard's payload at the score's cursor; true when
  // anything was pasted.
  bool PasteNotes(TECMusicScore& score) const;
  // Puts `data` on the clipboard under `format`; false when the clipboard
  // refused it.
  bool SetNotesBuffer(const std::string& format, const std::vector<std::uint8_t>& data);
  // Puts the score's selection on the clipboard; false when there is none
  // or the clipboard refused it.
  bool CopyNotes(const TECMusicScore& score);
};

// The process-wide note clipboard.
TVORadizClipboard& VORadizClipboard();
