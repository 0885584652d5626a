#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace nv::widgets {

// Width in pixels of a piece of UTF-8 text in the message box's font.
using TextWidthFunction = std::function<int(std::string_view)>;

// Wrap width of a message by its length in characters: more than 100 -> 400
// pixels, 51 to 100 -> 300, else 200.
int MessageWrapWidth(std::string_view text);

// Wraps a message into lines: at the first character whose running width
// passes the wrap width, the line ends at the last break character (blank,
// ")", "," or ";") before it, or else at the next one after it (a word wider
// than the width stays whole); with none after it either, the rest is the
// last line. A line break always ends a line. Lines are trimmed of blanks.
std::vector<std::string> WrapMessageText(std::string_view text, int wrapWidth, const TextWidthFunction& width);

// Where the message box puts its text, icons and buttons.
struct MessageLayout {
  std::vector<std::string> lines;
  int textLeft = 50, textTop = 10, textWidth = 0, textHeight = 0;
  int iconHeight = 0;
  int formWidth = 0, formHeight = 0;
};

// Lays out a message: text width = widest line + 10, at least 114; text
// height = lines × line height. Below 36 the text moves 10 down, the icons
// are 48 high and 36 counts as the text height. Form = text + (80, 60).
MessageLayout LayoutMessage(std::string_view text, const TextWidthFunction& width, int lineHeight);

struct MessageButton {
  int bit = 0;
  int left = 0, top = 0, width = 80;
};

struct MessageButtons {
  std::vector<MessageButton> buttons;  // left to right
  int formWidth = 0;                   // widened so the leftmost keeps 20 pixels
};

// Places the buttons of the bits, right to left from formWidth - 84 in the
// order Close, Cancel, Ok, No, Yes, each 80 wide at formHeight - 30.
MessageButtons PlaceMessageButtons(int buttons, int formWidth, int formHeight);

}  // namespace nv::widgets
