#pragma once

#include "app/palette_opener.h"

namespace nv::library {
class LibraryStore;
}

namespace nv::platform {
class IniFile;
}

namespace nv::app {

// The drop-down palettes of the dialogs: key signature, clef, time
// signature, microtone, bracket, rehearsal mark and drum style, each
// created for one opening under its button and freed when it closes.
// Without a library the drum-style chooser does not open.
class DialogPaletteOpener : public PaletteOpener {
 public:
  // `settings` keeps the palettes' own values (the rehearsal mark's);
  // `library` holds the drum styles. Either may be null.
  explicit DialogPaletteOpener(nv::platform::IniFile* settings = nullptr, nv::library::LibraryStore* library = nullptr)
      : settings_(settings), library_(library) {}
  void Open(Chooser chooser, QWidget& button, const ChooserValue& current, Chosen chosen) override;

 private:
  nv::platform::IniFile* settings_;
  nv::library::LibraryStore* library_;
};

}  // namespace nv::app
