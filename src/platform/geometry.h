#pragma once

#include <algorithm>
#include <string>

namespace nv::platform {

// Integer device-independent geometry in the GDI manner: a rectangle holds
// the pixels left <= x < right and top <= y < bottom.

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
  friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
  friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  friend bool operator==(const Rect&, const Rect&) = default;

  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool isEmpty() const { return right <= left || bottom <= top; }
  bool contains(Point p) const {
    return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
  }
  // Left <= right and top <= bottom, as GDI takes a reversed box.
  Rect normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
  }
  Rect translated(Point d) const {
    return {left + d.x, top + d.y, right + d.x, bottom + d.y};
  }
  // The common part; an empty result is (0, 0, 0, 0) like GDI's.
  Rect intersected(const Rect& o) const {
    Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
           std::min(bottom, o.bottom)};
    return r.isEmpty() ? Rect{} : r;
  }
};

// "(x,y)" and "(l,t)-(r,b)", the forms the recording canvas writes.
std::string toString(Point p);
std::string toString(const Rect& r);

}  // namespace nv::platform
