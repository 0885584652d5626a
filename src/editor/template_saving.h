#pragma once

#include <memory>

#include "library/accord_description.h"
#include "library/symbol_description.h"

namespace nv::editor {

// Where a chord or symbol saved from a document's selection goes: the
// template library, which has its properties edited and, on OK, adds it to
// its palette and list. `saveAs` offers the choice of a file as well.
class TemplateSaving {
 public:
  virtual ~TemplateSaving() = default;
  virtual void SaveChord(std::unique_ptr<library::TECAccordDescription> chord, bool saveAs) = 0;
  virtual void SaveSymbol(std::unique_ptr<library::TECSymbolDescription> symbol, bool saveAs) = 0;
};

}  // namespace nv::editor
