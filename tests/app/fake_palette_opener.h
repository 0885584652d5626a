#pragma once

#include <optional>
#include <vector>

#include "app/palette_opener.h"

namespace nv::app {

// A chooser that answers at once with the scripted choice, or closes
// without one when none is scripted.
class FakePaletteOpener : public PaletteOpener {
 public:
  struct Opening {
    Chooser Which;
    QWidget* Button;
    ChooserValue Current;
  };

  void Open(Chooser chooser, QWidget& button, const ChooserValue& current, Chosen chosen) override {
    Opened.push_back({chooser, &button, current});
    if (!Next) return;
    const ChooserValue value = *Next;
    Next.reset();
    chosen(value);
  }

  std::optional<ChooserValue> Next;
  std::vector<Opening> Opened;
};

}  // namespace nv::app
