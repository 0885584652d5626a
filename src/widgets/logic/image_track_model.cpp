#include "widgets/logic/image_track_model.h"

#include <algorithm>

namespace nv::widgets {

using nv::platform::Point;
using nv::platform::Rect;

namespace {

// A rectangle given along and across the track.
Rect Oriented(TrackOrientation orientation, int alongStart, int alongEnd, int acrossStart, int acrossEnd) {
  if (orientation == TrackOrientation::Horizontal) return {alongStart, acrossStart, alongEnd, acrossEnd};
  return {acrossStart, alongStart, acrossEnd, alongEnd};
}

}  // namespace

bool ImageTrackModel::SetPosition(int value) {
  if (value == position_) return false;
  if (value >= max_ && position_ == max_) return false;
  if (value <= min_ && position_ == min_) return false;
  position_ = std::clamp(value, min_, max_);
  return true;
}

bool ImageTrackModel::SetMin(int value) {
  if (value == min_ || value > max_) return false;
  min_ = value;
  position_ = std::max(position_, value);
  return true;
}

bool ImageTrackModel::SetMax(int value) {
  if (value == max_ || value < min_) return false;
  max_ = value;
  position_ = std::min(position_, value);
  return true;
}

int ImageTrackModel::Length() const {
  return orientation == TrackOrientation::Horizontal ? client.width : client.height;
}

int ImageTrackModel::Along(Point p) const { return orientation == TrackOrientation::Horizontal ? p.x : p.y; }

int ImageTrackModel::ButtonAlong() const {
  return orientation == TrackOrientation::Horizontal ? buttonWidth : buttonHeight;
}

int ImageTrackModel::ButtonCentre() const {
  if (style == ImageTrackStyle::Scroll) return position_;
  if (max_ == min_) return leftOffset;
  return Span() * (position_ - min_) / (max_ - min_ + 1) + leftOffset;
}

Rect ImageTrackModel::ButtonRect() const {
  const int c = ButtonCentre();
  const int half = ButtonAlong() / 2;
  const bool horizontal = orientation == TrackOrientation::Horizontal;
  const int clientAcross = horizontal ? client.height : client.width;
  int acrossStart = topOffset;
  int acrossEnd = clientAcross - bottomOffset;
  if (strip.width > 0 && strip.height > 0) {
    const int extent = horizontal ? strip.height : strip.width;
    acrossStart = (clientAcross - extent) / 2;
    acrossEnd = acrossStart + extent;
  }
  return Oriented(orientation, c - half - 1, c + half + 1, acrossStart, acrossEnd);
}

Rect ImageTrackModel::ImageRect() const {
  if (strip.width <= 0 || strip.height <= 0) return {};
  const bool horizontal = orientation == TrackOrientation::Horizontal;
  const int start = ButtonCentre() - ButtonAlong() / 2;
  const int extent = horizontal ? strip.height : strip.width;
  const int acrossStart = ((horizontal ? client.height : client.width) - extent) / 2;
  return Oriented(orientation, start, start + ButtonAlong(), acrossStart, acrossStart + extent);
}

int ImageTrackModel::ImageIndex() const {
  const int stripAlong = orientation == TrackOrientation::Horizontal ? strip.width : strip.height;
  const int size = ButtonAlong();
  if (!enabled) return size > 0 && stripAlong >= 4 * size ? 3 : 0;
  return hot_ && stripAlong > size ? 1 : 0;
}

bool ImageTrackModel::OnButton(Point p) const {
  if (!ButtonRect().contains(p)) return false;
  if (strip.width <= 0 || strip.height <= 0 || !strip.opaque) return true;
  const Rect image = ImageRect();
  if (!image.contains(p)) return false;
  const int shift = ImageIndex() * ButtonAlong();
  const bool horizontal = orientation == TrackOrientation::Horizontal;
  const int x = p.x - image.left + (horizontal ? shift : 0);
  const int y = p.y - image.top + (horizontal ? 0 : shift);
  return x < strip.width && y < strip.height && strip.opaque(x, y);
}

int ImageTrackModel::ValueAt(int along) const { return (max_ - min_ + 1) * along / Span() + min_; }

bool ImageTrackModel::Press(Point p) {
  if (!enabled) return false;
  bool changed = false;
  // A track with no room between its offsets has no value under a point.
  if (Span() > 0) {
    const int along = Along(p);
    if (style == ImageTrackStyle::Track) {
      changed = SetPosition(ValueAt(along - leftOffset));
    } else {
      const int half = ButtonAlong() / 2;
      if (along < position_ - half)
        changed = SetPosition(along + half - leftOffset);
      else if (along > position_ + half)
        changed = SetPosition(along - half - leftOffset);
    }
  }
  if (OnButton(p)) {
    dragging_ = true;
    last_ = p;
    const Rect button = ButtonRect();
    grab_ = Point{button.left, button.top} - p;
  }
  return changed;
}

bool ImageTrackModel::Move(Point p) {
  hot_ = dragging_ || (inside_ && OnButton(p));
  if (!dragging_ || Length() == ButtonAlong() || Span() <= 0) return false;
  bool changed = false;
  if (style == ImageTrackStyle::Scroll) {
    changed = SetPosition(position_ + Along(p) - Along(last_));
  } else if (Along(p) != Along(last_)) {
    changed = SetPosition(ValueAt(Along(p) + Along(grab_)));
  }
  last_ = p;
  return changed;
}

void ImageTrackModel::Release(Point p) {
  if (!dragging_) return;
  dragging_ = false;
  hot_ = OnButton(p);
}

void ImageTrackModel::Enter(Point p) {
  if (!enabled || inside_) return;
  inside_ = true;
  hot_ = OnButton(p);
}

void ImageTrackModel::Leave() {
  if (!enabled || !inside_) return;
  inside_ = false;
  hot_ = false;
}

ImageTrackModel::Repaint ImageTrackModel::RepaintFor(const Rect& before) const {
  const Rect after = ButtonRect();
  if (!drawProgress) return {before, after};
  const bool horizontal = orientation == TrackOrientation::Horizontal;
  if ((horizontal ? before.left : before.top) == (horizontal ? after.left : after.top)) return {};
  return {Rect{std::min(before.left, after.left), std::min(before.top, after.top), std::max(before.right, after.right),
               std::max(before.bottom, after.bottom)},
          {}};
}

}  // namespace nv::widgets
