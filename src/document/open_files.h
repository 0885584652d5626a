#pragma once

#include <string>
#include <vector>

#include "platform/form_texts.h"
#include "platform/message_prompt.h"

namespace nv::document {

// The main window's side of opening files: its document windows, the MIDI
// import dialog and the cursor.
class OpenHost {
 public:
  virtual ~OpenHost() = default;
  // The file names of the open documents, in tab order ("" for untitled).
  virtual std::vector<std::string> OpenFileNames() const = 0;
  virtual void Reload(int index) = 0;
  // Shows the MIDI import dialog for `path`; false when it was not accepted.
  // The host keeps its choices for the window it creates next.
  virtual bool ChooseMidiImport(const std::string& path) = 0;
  // Creates the new document window (with the MIDI import choices and the
  // drums when `midiImport`); it is not docked yet.
  virtual void CreateWindow(bool midiImport) = 0;
  // The new window loads the file; raises when it cannot.
  virtual void Load(const std::string& path) = 0;
  // Docks, shows and activates the new window, colours its tab.
  virtual void Dock() = 0;
  // Frees the new window that did not load.
  virtual void FreeWindow() = 0;
  virtual void RemoveFromRecent(const std::string& path) = 0;
  virtual void SetWaitCursor(bool wait) = 0;
  virtual void StopPlayback() = 0;
  // UpdateActions, the navigator, the tempo display and the current tool.
  virtual void AfterOpen() = 0;
};

enum class OpenResult { Opened, Reloaded, Unchanged, Failed };

// Opens one file: a file already open is reloaded in its own tab when
// `askReload` and the user says Yes; ".mid", ".midi" and ".kar" go through
// the MIDI import dialog. A file that does not load shows the generic error
// with its name and reason; its window is freed and the cursor restored.
OpenResult OpenDocument(const std::string& path, bool askReload, OpenHost& host, platform::MessagePrompt& prompt,
                        const platform::FormTexts& texts);

// Open with the files chosen in the open dialog, in order; a file that fails
// does not stop the ones after it.
void OpenFiles(const std::vector<std::string>& paths, OpenHost& host, platform::MessagePrompt& prompt,
               const platform::FormTexts& texts);

}  // namespace nv::document
