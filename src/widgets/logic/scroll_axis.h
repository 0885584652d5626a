#pragma once

#include <cstdint>
#include <vector>

#include "widgets/logic/tick_clock.h"

namespace nv::widgets {

// One direction of the scroll box: what its children span, where it stands
// and how far a line or a page moves.
class ScrollAxis {
 public:
  enum class Align { None, Leading, Trailing, Other };
  // A child's place along this axis (Left and Width, or Top and Height).
  struct Child {
    int start = 0;
    int extent = 0;
    Align align = Align::None;
    bool visible = true;
  };

  int increment = 8;
  int pageIncrement = 80;
  int margin = 0;
  bool visible = true;
  bool smooth = false;

  // The range that shows every child: the farthest end of the children
  // placed freely or at the leading side (counted from the unscrolled
  // origin), plus the summed extents of those at the trailing side, plus
  // the margin.
  void FitRange(const std::vector<Child>& children);
  void SetRange(int range) { range_ = range < 0 ? 0 : range; }
  int Range() const { return range_; }

  // After a size change: the maximum position (range less the client
  // extent, not below 0), the page increment (9/10 of the extent) and, with
  // smooth scrolling, the line increment (a tenth of that).
  void Update(int clientExtent);
  int MaxPosition() const { return maxPosition_; }
  bool BarShown() const { return visible && maxPosition_ >= 1; }

  int Position() const { return position_; }
  // Clamps to 0..MaxPosition; returns how far the children must move.
  int SetPosition(int position);

  // The moves that make up one line or page scroll: the whole move at once,
  // or with smooth scrolling 4 (line) or 12 (page) equal steps and the
  // remainder last.
  std::vector<int> LineSteps(int direction) const;
  std::vector<int> PageSteps(int direction, int clientExtent) const;

  static std::vector<int> SplitSteps(int distance, int divisions);

 private:
  int range_ = 0;
  int maxPosition_ = 0;
  int position_ = 0;
};

// Plays a list of smooth steps at least kStepMs apart on a clock.
class SmoothSteps {
 public:
  static constexpr int kStepMs = 10;

  explicit SmoothSteps(const TickClock& clock) : clock_(clock) {}
  void Start(std::vector<int> steps);
  bool Running() const { return next_ < steps_.size(); }
  // The next step when its time has come, else 0.
  int Due();

 private:
  const TickClock& clock_;
  std::vector<int> steps_;
  std::size_t next_ = 0;
  std::int64_t last_ = 0;
};

}  // namespace nv::widgets
