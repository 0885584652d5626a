#pragma once

#include "app/palette_opener.h"

namespace nv::platform {
class IniFile;
}

namespace nv::app {

// The drop-down palettes of the dialogs: key signature, clef, time
// signature, microtone, bracket and rehearsal mark, each created for one
// opening under its button and freed when it closes. The drum-style
// chooser comes with the drum-style library; until then nothing opens.
class DialogPaletteOpener : public PaletteOpener {
 public:
  // `settings` keeps the palettes' own values (the rehearsal mark's); may be null.
  explicit DialogPaletteOpener(nv::platform::IniFile* settings = nullptr) : settings_(settings) {}
  void Open(Chooser chooser, QWidget& button, const ChooserValue& current, Chosen chosen) override;

 private:
  nv::platform::IniFile* settings_;
};

}  // namespace nv::app
