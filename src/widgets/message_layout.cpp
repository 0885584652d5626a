#include "widgets/message_layout.h"

#include <algorithm>

#include "platform/message_prompt.h"

namespace nv::widgets {

namespace {

constexpr int kMinTextWidth = 114;
constexpr int kMinTextHeight = 36;
constexpr int kIconHeight = 48;
constexpr int kButtonWidth = 80;

bool IsBreak(char c) { return c == ' ' || c == ')' || c == ',' || c == ';'; }

std::size_t CharacterLength(std::string_view text, std::size_t at) {
  const auto b = static_cast<unsigned char>(text[at]);
  std::size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
  return std::min(length, text.size() - at);
}

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace

int MessageWrapWidth(std::string_view text) {
  std::size_t characters = 0;
  for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) ++characters;
  return characters > 100 ? 400 : characters > 50 ? 300 : 200;
}

std::vector<std::string> WrapMessageText(std::string_view text, int wrapWidth, const TextWidthFunction& width) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  int running = 0;
  const auto cutAfter = [&](std::size_t at) {
    lines.push_back(Trimmed(text.substr(start, at + 1 - start)));
    start = at + 1;
    running = 0;
  };
  std::size_t at = 0;
  while (at < text.size()) {
    if (text[at] == '\n') {
      lines.push_back(Trimmed(text.substr(start, at - start)));
      start = at = at + 1;
      running = 0;
      continue;
    }
    const std::size_t length = CharacterLength(text, at);
    running += width(text.substr(at, length));
    if (running <= wrapWidth) {
      at += length;
      continue;
    }
    std::size_t cut = std::string_view::npos;
    for (std::size_t back = at + 1; back-- > start;)
      if (IsBreak(text[back])) {
        cut = back;
        break;
      }
    if (cut == std::string_view::npos)
      for (std::size_t ahead = at; ahead < text.size() && text[ahead] != '\n'; ++ahead)
        if (IsBreak(text[ahead])) {
          cut = ahead;
          break;
        }
    if (cut == std::string_view::npos) {
      // No break character follows: the rest up to the next line break is one line.
      const std::size_t end = text.find('\n', at);
      if (end == std::string_view::npos) break;
      lines.push_back(Trimmed(text.substr(start, end - start)));
      start = at = end + 1;
      running = 0;
      continue;
    }
    cutAfter(cut);
    at = start;
  }
  if (std::string rest = Trimmed(text.substr(std::min(start, text.size()))); !rest.empty()) lines.push_back(rest);
  return lines;
}

MessageLayout LayoutMessage(std::string_view text, const TextWidthFunction& width, int lineHeight) {
  MessageLayout layout;
  layout.lines = WrapMessageText(text, MessageWrapWidth(text), width);
  int widest = 0;
  for (const auto& line : layout.lines) widest = std::max(widest, width(line));
  layout.textWidth = std::max(widest + 10, kMinTextWidth);
  layout.textHeight = lineHeight * static_cast<int>(layout.lines.size());
  if (layout.textHeight >= kMinTextHeight) {
    layout.iconHeight = layout.textHeight;
  } else {
    layout.textTop += 10;
    layout.iconHeight = kIconHeight;
    layout.textHeight = kMinTextHeight;
  }
  layout.formWidth = layout.textWidth + 80;
  layout.formHeight = layout.textHeight + 60;
  return layout;
}

MessageButtons PlaceMessageButtons(int buttons, int formWidth, int formHeight) {
  namespace mb = platform::message_button;
  MessageButtons out;
  int x = formWidth - 84;
  for (const int bit : {mb::kClose, mb::kCancel, mb::kOk, mb::kNo, mb::kYes}) {
    if (!(buttons & bit)) continue;
    out.buttons.insert(out.buttons.begin(), MessageButton{bit, x, formHeight - 30, kButtonWidth});
    x -= kButtonWidth;
  }
  const int widen = x < 20 ? 20 - x : 0;
  for (auto& button : out.buttons) button.left += widen;
  out.formWidth = formWidth + widen;
  return out;
}

}  // namespace nv::widgets
