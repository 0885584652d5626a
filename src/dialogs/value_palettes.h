#pragma once

#include <QString>

#include <functional>
#include <string_view>
#include <vector>

#include "dialogs/logic/value_palettes.h"
#include "dialogs/palette_frame.h"
#include "library/term_description.h"

class QLabel;
class QPushButton;

namespace nv::widgets {
class TECImageTrack;
class TECPageControl;
class TECTabSheet;
}  // namespace nv::widgets

namespace nv::dialogs {

class TermSettingsPage;

// A program value the palettes set, and its new value.
using ValueChange = std::function<void(int nv::document::ProgramSettings::*value, int newValue)>;

// The dynamics palette: the velocity of each dynamic mark on an upright
// track (louder higher), the amounts of crescendo, diminuendo and accent,
// and "Default". Its last page is the values of the dynamic terms, docked
// once when the palette is first shown. Every change is handed on at once.
class TFDinamics : public PaletteFrame {
  Q_OBJECT
 public:
  TFDinamics(const nv::document::ProgramSettings& values, std::vector<nv::library::TECTermDescription> terms,
             QWidget* parent = nullptr);

  ValueChange onValueChange;
  // A dynamic term's values changed (its index in the term list).
  std::function<void(std::size_t index, const nv::library::TECTermDescription& term)> onTermChange;

  const nv::document::ProgramSettings& Values() const { return values_; }
  nv::widgets::TECImageTrack& Track(std::string_view name) const;
  QPushButton& DefaultButton() const { return *default_; }
  nv::widgets::TECPageControl& Pages() const { return *pages_; }
  // None until the palette was shown.
  TermSettingsPage* TermPage() const { return termPage_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Moved(const DynamicsTrack& track, int position);

  nv::document::ProgramSettings values_;
  std::vector<nv::library::TECTermDescription> terms_;
  std::vector<nv::widgets::TECImageTrack*> tracks_;
  nv::widgets::TECPageControl* pages_ = nullptr;
  nv::widgets::TECTabSheet* symbols_ = nullptr;
  TermSettingsPage* termPage_ = nullptr;
  QPushButton* default_ = nullptr;
};

// The effects palette: the playback lengths of staccato, arpeggio and
// fermata on tracks 0..3 with their labels, and "Default".
class TFEffects : public PaletteFrame {
  Q_OBJECT
 public:
  explicit TFEffects(const nv::document::ProgramSettings& values, QWidget* parent = nullptr);

  ValueChange onValueChange;

  const nv::document::ProgramSettings& Values() const { return values_; }
  nv::widgets::TECImageTrack& Track(EffectTrack track) const;
  QString Label(EffectTrack track) const;
  QPushButton& DefaultButton() const { return *default_; }

 private:
  nv::document::ProgramSettings values_;
  std::vector<nv::widgets::TECImageTrack*> tracks_;
  std::vector<QLabel*> labels_;
  QPushButton* default_ = nullptr;
};

}  // namespace nv::dialogs
