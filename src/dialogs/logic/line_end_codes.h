#pragma once

#include <array>

namespace nv::dialogs::line_end {

// A line's end: 0 none, 1 arrow head, 2 circle, 3 rhombus. A line-end code
// holds the start (left) end in its high nibble and the finish in its low one.
enum Shape { kNone = 0, kArrow = 1, kCircle = 2, kRhombus = 3 };

inline constexpr int Code(Shape start, Shape finish) { return start * 16 + finish; }
inline constexpr Shape StartOf(int code) { return static_cast<Shape>((code >> 4) & 0xF); }
inline constexpr Shape FinishOf(int code) { return static_cast<Shape>(code & 0xF); }

struct Choice {
  int code;
  const char* name;  // the button's component name
};

// The nine ends the palette offers, in button order.
inline constexpr std::array<Choice, 9> kChoices = {{
    {Code(kArrow, kNone), "CBPoint"},
    {Code(kArrow, kArrow), "CBPointPoint"},
    {Code(kArrow, kCircle), "CBPointCircle"},
    {Code(kArrow, kRhombus), "CBPointRhombus"},
    {Code(kCircle, kNone), "CBCircle"},
    {Code(kCircle, kCircle), "CBCircleCircle"},
    {Code(kCircle, kRhombus), "CBCircleRhombus"},
    {Code(kRhombus, kNone), "CBRhombus"},
    {Code(kRhombus, kRhombus), "CBRhombusRhombus"},
}};

}  // namespace nv::dialogs::line_end
