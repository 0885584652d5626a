#pragma once

#include <functional>

#include "platform/geometry.h"

namespace nv::widgets {

enum class TrackOrientation { Horizontal, Vertical };
// Track: Position is a value in Min..Max. Scroll: Position is the button's
// centre in pixels.
enum class ImageTrackStyle { Track, Scroll };

// The picture track bar's logic: where the button stands, which image of
// the button strip shows, what a press, a drag, a release, entering and
// leaving do to the position and the button state, and what a change of
// position repaints. Coordinates are the control's client pixels.
class ImageTrackModel {
 public:
  // The button strip: images of the button's size along the track laid
  // side by side along it (normal, hot, one not shown, disabled).
  // `opaque` answers whether a strip pixel differs from the strip's
  // bottom-left pixel. Without a strip the button is a plain rectangle.
  struct ButtonStrip {
    int width = 0;
    int height = 0;
    std::function<bool(int x, int y)> opaque;
  };

  // The setters answer whether the position changed (OnChange then fires).
  bool SetPosition(int value);
  // Ignored when unchanged or beyond the other end; the position follows
  // into the new range without OnChange. They answer whether the range
  // changed (a repaint).
  bool SetMin(int value);
  bool SetMax(int value);

  int Position() const { return position_; }
  int Min() const { return min_; }
  int Max() const { return max_; }

  TrackOrientation orientation = TrackOrientation::Horizontal;
  ImageTrackStyle style = ImageTrackStyle::Track;
  int buttonWidth = 0;
  int buttonHeight = 0;
  int leftOffset = 0;
  int rightOffset = 0;
  int topOffset = 0;
  int bottomOffset = 0;
  bool drawProgress = false;
  bool enabled = true;
  nv::platform::Size client{100, 20};
  ButtonStrip strip;

  // Client extent along the track.
  int Length() const;
  // The button's centre along the track.
  int ButtonCentre() const;
  // The rectangle a press must hit (right and bottom exclusive).
  nv::platform::Rect ButtonRect() const;
  // Where the button image is drawn: its size along the track by the
  // strip's extent across, centred on the button's centre and across the
  // control. Empty without a strip.
  nv::platform::Rect ImageRect() const;
  // Which image of the strip shows (0 normal, 1 hot, 3 disabled), falling
  // back to the first when the strip has too few.
  int ImageIndex() const;
  // The point lies in the button rectangle and, with a strip, on an opaque
  // pixel of the image shown.
  bool OnButton(nv::platform::Point p) const;

  bool Hot() const { return hot_; }
  bool Dragging() const { return dragging_; }

  // Mouse handling; each answers whether the position changed. Whether the
  // button must be repainted for a change of its look is read from Hot().
  bool Press(nv::platform::Point p);
  bool Move(nv::platform::Point p);
  void Release(nv::platform::Point p);
  void Enter(nv::platform::Point p);
  void Leave();

  // What a change of position from `before` (the button rectangle then)
  // repaints: both button places, or with drawProgress the stretch between
  // them. Each is empty when nothing needs painting.
  struct Repaint {
    nv::platform::Rect first;
    nv::platform::Rect second;
  };
  Repaint RepaintFor(const nv::platform::Rect& before) const;

 private:
  int Along(nv::platform::Point p) const;
  int Span() const { return Length() - leftOffset - rightOffset; }
  int ButtonAlong() const;
  int ValueAt(int along) const;

  int position_ = 0;
  int min_ = 0;
  int max_ = 100;
  bool hot_ = false;
  bool dragging_ = false;
  bool inside_ = false;
  nv::platform::Point last_;
  nv::platform::Point grab_;
};

}  // namespace nv::widgets
