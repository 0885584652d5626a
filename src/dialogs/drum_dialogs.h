#pragma once

#include <functional>
#include <vector>

#include "dialogs/choice_palette.h"
#include "dialogs/dialog_frame.h"
#include "dialogs/drum_map_grid.h"

namespace nv::library {
class LibraryStore;
}

namespace nv::dialogs {

// A drum style as its palette button shows it: the caption and hint its
// file holds.
struct DrumStyleFace {
  QString caption;
  QString hint;
};

// The drum-style palette: a button for every style of the library, in
// library order, painted by the program's drum-button painter, and with the
// standard entry a "Standard" button (255) before them. A click reports
// the style's index, or 255.
class TFChooseDrum : public ChoicePalette {
  Q_OBJECT
 public:
  static constexpr int kStandard = 255;
  TFChooseDrum(const std::vector<DrumStyleFace>& styles, bool withStandard, const DrumHeadPainter& painter,
               QWidget* parent = nullptr);
};

// The faces of the library's drum styles, each loaded on first use; a style
// that does not load shows its file name.
std::vector<DrumStyleFace> DrumStyleFaces(nv::library::LibraryStore& library);

// What the drum map dialog needs of the program: its settings, the drum
// library (the styles and "DrumMap.ini" in its folder), the head painter,
// and the sound of a pitch on the drum channel.
struct DrumMapServices {
  nv::platform::IniFile* Settings = nullptr;
  QWidget* Parent = nullptr;
  nv::library::LibraryStore* Library = nullptr;
  DrumHeadPainter HeadPainter;
  // Sounds the pitch on channel 10 after a program change 0 there.
  std::function<void(int pitch)> TestSound;
};

// The services' head painter, by default the library's drum heads.
DrumHeadPainter HeadPainterOf(const DrumMapServices& services);

// Opens the drum-style palette under a grid cell, pre-set to `current`.
DrumMapGrid::HeadChooser DrumHeadChooser(const DrumMapServices& services, QWidget* owner);

// The program-wide drum map: every percussion pitch's name, head, staff
// position and use. "Save" writes "DrumMap.ini" and stays open; a name the
// file cannot hold or a failed write is reported and the grid stays as it
// was. "Test" sounds the current row's pitch.
class TFDrumMap : public DialogFrame {
  Q_OBJECT
 public:
  explicit TFDrumMap(const DrumMapServices& services);

  DrumMapGrid* Grid() const { return grid_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* TestButton() const { return test_; }

  // True when the file was written.
  bool Save();
  void Test();

 private:
  DrumMapServices services_;
  DrumMapGrid* grid_;
  QPushButton* save_;
  QPushButton* test_;
};

}  // namespace nv::dialogs
