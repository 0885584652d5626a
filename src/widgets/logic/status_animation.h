#pragma once

#include <array>

namespace nv::widgets {

// The status bar's panels from the left: a text panel, the three animated
// ones and a last text panel.
inline constexpr std::array<int, 5> kStatusPanelWidths = {110, 40, 40, 40, 50};

enum class StatusPanel { Printing = 1, Playing = 2, Recording = 3 };

// The x of panel `index`'s left edge.
int StatusPanelLeft(int index);

// The frames the animated panels run through while their state is on: a
// printer's four, play's three, record's four. Each tick of the main timer
// moves a running panel on by one frame; a panel that stops starts from its
// first frame the next time.
class StatusAnimation {
 public:
  static int FrameCount(StatusPanel panel);

  void SetStates(bool printing, bool playing, bool recording);
  bool Active(StatusPanel panel) const { return Slot(panel).active; }
  // The frame the panel shows now.
  int Frame(StatusPanel panel) const { return Slot(panel).frame; }
  bool Animating() const;
  // One tick: the first after a panel starts shows its frame 0.
  void Tick();

 private:
  struct Panel {
    bool active = false;
    bool shown = false;
    int frame = 0;
  };
  const Panel& Slot(StatusPanel panel) const { return panels_[static_cast<int>(panel) - 1]; }

  std::array<Panel, 3> panels_;
};

}  // namespace nv::widgets
