#pragma once

#include <QWidget>

#include <string>

#include "document/score_document.h"

namespace nv::app {

// One open score as the main window hosts it: a page of the document
// notebook PCFiles. The main window docks Widget() into a page of its own
// (its windowTitle is the tab's caption, and a change of it shows at once),
// listens to the program's MIDI input, and deletes
// the page when the score closes.
class DocumentPage {
 public:
  virtual ~DocumentPage() = default;

  virtual QWidget& Widget() = 0;
  virtual nv::document::ScoreDocument& Document() = 0;

  // Reads `path` into the document, which is then named by it; the error's
  // text when it does not load (the document is then as it was), else "".
  virtual std::string LoadFile(const std::string& path) = 0;
  // Reads the document's file again, as LoadFile does.
  virtual std::string ReloadFile() = 0;

  // Writes the document to its file, asking for one when it has none. False
  // when it is still not saved: the name was not given, or the write failed
  // (which the page has shown).
  virtual bool Save() = 0;
  // Asks for a name and kind and writes the file; true when the document
  // is now its score file (an export keeps the name it had).
  virtual bool SaveAs() = 0;

  // The page's own question before it closes: true when it may close (not
  // modified, saved, or the user chose not to save).
  virtual bool QuerySave() = 0;

  // Plays the score through the program's output, which it opens when it is
  // not open; false when the output does not open.
  virtual bool Play() = 0;
  virtual void Stop() = 0;
};


}  // namespace nv::app
