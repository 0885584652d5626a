#pragma once

#include <string>
#include <vector>

namespace nv::editor {

// Where the texts of a new staff go on its page, in page pixels: the title
// centred at the top, the author right-aligned and the staff's name
// left-aligned below it, each 24 pixels inside the margin.
struct NewStaffTextPlaces {
  struct Point {
    int X = 0;
    int Y = 0;
    bool operator==(const Point&) const = default;
  };
  Point Title;
  Point Author;
  Point Name;
};

// The page's width and margins in pixels; the widest title line's width at
// size 20 and the widest author line's at size 10.
NewStaffTextPlaces PlaceNewStaffTexts(int pageWidth, int leftMargin, int rightMargin, int titleWidth, int authorWidth);

// What the new-staff dialog hands back: the staff's name, its General MIDI
// program, and the title and author lines put on the page with it (none
// when empty).
struct NewStaffChoice {
  std::string Name;
  int Program = 0;
  std::vector<std::string> Title;
  std::vector<std::string> Author;
};

}  // namespace nv::editor
