#pragma once

#include <functional>
#include <optional>

#include "dialogs/form_dialog.h"
#include "document/score_properties.h"

namespace nv::document {
class ScoreDocument;
}

namespace nv::dialogs {

// What the property dialogs need of the program: the settings file their
// bounds live in, the window they stand over, and the instrument chooser
// (by default the timbre chooser, whose Test sounds through `testSound`).
struct PropertyDialogServices {
  nv::platform::IniFile* Settings = nullptr;
  QWidget* Parent = nullptr;
  std::function<void(int program, int key)> TestSound;
  // The program chosen from `current`, none when cancelled; `hideNoAssign`
  // leaves out "No assign".
  std::function<std::optional<int>(int current, bool hideNoAssign)> ChooseTimbre;

  std::optional<int> Choose(int current, bool hideNoAssign) const;
};

// The active staff's name, program, channel (1..16), accolade, mute and
// "As music score".
class TFDCInstrumentProperties : public FormDialog {
  Q_OBJECT
 public:
  explicit TFDCInstrumentProperties(const PropertyDialogServices& services);
  void SetInstrument(const nv::document::InstrumentProps& props);
  nv::document::InstrumentProps Instrument() const;
};

// The active row's voice count, view, program, channel (1..16), mute and name.
class TFDCRowProperties : public FormDialog {
  Q_OBJECT
 public:
  explicit TFDCRowProperties(const PropertyDialogServices& services);
  void SetRow(const nv::document::RowProps& props);
  nv::document::RowProps Row() const;
};

// The number of bars to add or delete, 1..1000.
class TFDCMeasuresCount : public FormDialog {
  Q_OBJECT
 public:
  explicit TFDCMeasuresCount(const PropertyDialogServices& services);
  int Count() const;
};

// The program the selected notes sound with, -1 for their row's.
class TFNoteProperties : public FormDialog {
  Q_OBJECT
 public:
  explicit TFNoteProperties(const PropertyDialogServices& services);
  void SetInstrument(int program);
  int Program() const;
};

// The openers: each reads the values from the document's score, shows its
// dialog modally and, on OK only, writes them back. True on OK.
bool EditInstrumentProperties(nv::document::ScoreDocument& document, const PropertyDialogServices& services);
bool EditRowProperties(nv::document::ScoreDocument& document, const PropertyDialogServices& services);
// The bar count chosen, none when cancelled.
std::optional<int> AskMeasuresCount(const PropertyDialogServices& services);

}  // namespace nv::dialogs
