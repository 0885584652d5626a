#pragma once

#include "platform/form_texts.h"
#include "platform/message_prompt.h"

namespace nv::document {

// The main window's side of closing every document: its tabs by index
// (0 is the first) and its flags.
class CloseAllHost {
 public:
  virtual ~CloseAllHost() = default;
  virtual int Count() const = 0;
  virtual bool Modified(int index) const = 0;
  // The document window's Save; a cancelled Save As leaves it modified, a
  // failed write raises.
  virtual void Save(int index) = 0;
  virtual void AddToRecent(int index) = 0;
  // Closes the document and undocks its window.
  virtual void Close(int index) = 0;
  virtual void Activate(int index) = 0;
  virtual void StopPlayback() = 0;
  virtual void SetClosing(bool closing) = 0;
  virtual void UpdateActions() = 0;
};

enum class CloseAllResult { Closed, Cancelled, Stopped };

// Close all: asks once when a document is modified (Yes saves each modified
// one, No closes without saving, Cancel leaves everything), closing from the
// last tab to the first. A document still modified after its save stops the
// command there: it and every document before it stay open, and its tab
// becomes active. A save that raises stops the same way, and the error goes
// on to the caller.
CloseAllResult CloseAll(CloseAllHost& host, platform::MessagePrompt& prompt, const platform::FormTexts& texts);

}  // namespace nv::document
