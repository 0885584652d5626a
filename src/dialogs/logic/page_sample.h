#pragma once

namespace nv::dialogs {

struct SampleRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const SampleRect&, const SampleRect&) = default;
};

// A page's sides and margins, in one unit.
struct PageLengths {
  double width = 0;
  double length = 0;
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

// The page sample of the page dialog: the paper 70 × 100 (portrait) or
// 100 × 70 (landscape) centred in a group of `groupWidth` × `groupHeight`,
// and the printable area inset by each margin at the sample's scale
// (rounded); it covers the paper when a side is not positive or a margin is
// not smaller than its side.
struct PageSample {
  SampleRect paper;
  SampleRect margin;
};
PageSample PageSampleOf(const PageLengths& page, bool landscape, int groupWidth, int groupHeight);

}  // namespace nv::dialogs
