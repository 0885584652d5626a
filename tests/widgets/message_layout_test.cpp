#include "widgets/message_layout.h"

#include <gtest/gtest.h>

#include "platform/message_prompt.h"

namespace nv::widgets {
namespace {

namespace mb = platform::message_button;

// Every character 6 pixels wide, as a fixed-pitch font would measure.
int Width(std::string_view text) {
  int characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return 6 * characters;
}

std::string Words(int characters) {
  std::string text;
  while (static_cast<int>(text.size()) < characters) text += (text.size() % 5 == 4) ? ' ' : 'a';
  return text;
}

TEST(MessageLayout, TheWrapWidthFollowsTheLengthInCharacters) {
  EXPECT_EQ(MessageWrapWidth(Words(50)), 200);
  EXPECT_EQ(MessageWrapWidth(Words(51)), 300);
  EXPECT_EQ(MessageWrapWidth(Words(100)), 300);
  EXPECT_EQ(MessageWrapWidth(Words(101)), 400);
  // Characters, not bytes: 50 Cyrillic letters are 100 bytes.
  std::string cyrillic;
  for (int i = 0; i < 50; ++i) cyrillic += "\xD0\x96";
  EXPECT_EQ(MessageWrapWidth(cyrillic), 200);
}

TEST(MessageLayout, LinesEndAtTheLastBreakBeforeTheWrapWidth) {
  for (const int characters : {50, 51, 101}) {
    const std::string text = Words(characters);
    const int wrap = MessageWrapWidth(text);
    const auto lines = WrapMessageText(text, wrap, Width);
    ASSERT_GE(lines.size(), 2u) << characters;
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_LE(Width(lines[i]), wrap) << characters;
      // The next word would not have fitted on the line.
      if (i + 1 < lines.size()) {
        EXPECT_GT(Width(lines[i]) + 6 + Width(lines[i + 1].substr(0, 4)), wrap);
      }
      joined += (i ? " " : "") + lines[i];
    }
    EXPECT_EQ(joined, text.substr(0, text.find_last_not_of(' ') + 1)) << characters;
  }
}

TEST(MessageLayout, BreakCharactersWordsWiderThanTheWidthAndLineBreaks) {
  const std::string wide(60, 'x');
  EXPECT_EQ(WrapMessageText("short " + wide + " end", 200, Width),
            (std::vector<std::string>{"short", wide, "end"}));
  EXPECT_EQ(WrapMessageText(wide, 200, Width), (std::vector<std::string>{wide}));
  // ")", "," and ";" end a line and stay on it.
  EXPECT_EQ(WrapMessageText("aaaaaaaaaaaaaaaaaaaa,bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", 200, Width),
            (std::vector<std::string>{"aaaaaaaaaaaaaaaaaaaa,", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"}));
  EXPECT_EQ(WrapMessageText("First line.\nreason: Permission denied", 200, Width),
            (std::vector<std::string>{"First line.", "reason: Permission denied"}));
  EXPECT_TRUE(WrapMessageText("", 200, Width).empty());
}

TEST(MessageLayout, OneLineMovesDownAndTakesTheMinimumSizes) {
  const MessageLayout one = LayoutMessage("Ok?", Width, 16);
  EXPECT_EQ(one.lines, (std::vector<std::string>{"Ok?"}));
  EXPECT_EQ(one.textTop, 20);
  EXPECT_EQ(one.textHeight, 36);
  EXPECT_EQ(one.iconHeight, 48);
  EXPECT_EQ(one.textWidth, 114);
  EXPECT_EQ(one.formWidth, 194);
  EXPECT_EQ(one.formHeight, 96);

  const MessageLayout three = LayoutMessage("one\ntwo\nthree is the longest line", Width, 16);
  EXPECT_EQ(three.textTop, 10);
  EXPECT_EQ(three.textHeight, 48);
  EXPECT_EQ(three.iconHeight, 48);
  EXPECT_EQ(three.textWidth, Width("three is the longest line") + 10);
  EXPECT_EQ(three.formWidth, three.textWidth + 80);
  EXPECT_EQ(three.formHeight, 108);
}

TEST(MessageLayout, ButtonsGoRightToLeftAndWidenTheFormForTheirMargin) {
  const MessageButtons save = PlaceMessageButtons(mb::kYes | mb::kNo | mb::kCancel, 194, 96);
  const int w = save.formWidth;
  ASSERT_EQ(save.buttons.size(), 3u);
  EXPECT_EQ(save.buttons[0].bit, mb::kYes);
  EXPECT_EQ(save.buttons[0].left, w - 244);
  EXPECT_EQ(save.buttons[1].bit, mb::kNo);
  EXPECT_EQ(save.buttons[1].left, w - 164);
  EXPECT_EQ(save.buttons[2].bit, mb::kCancel);
  EXPECT_EQ(save.buttons[2].left, w - 84);
  for (const auto& button : save.buttons) {
    EXPECT_EQ(button.width, 80);
    EXPECT_EQ(button.top, 66);
  }
  EXPECT_EQ(w, 344);  // 194 - 84 - 3 * 80 = -130 is 150 below the 20 of margin

  std::vector<int> order;
  for (const auto& button : PlaceMessageButtons(0x76, 500, 96).buttons) order.push_back(button.bit);
  EXPECT_EQ(order, (std::vector<int>{mb::kYes, mb::kNo, mb::kOk, mb::kCancel, mb::kClose}));
  EXPECT_TRUE(PlaceMessageButtons(0, 194, 96).buttons.empty());
  EXPECT_EQ(PlaceMessageButtons(mb::kOk, 194, 96).formWidth, 194);
}

}  // namespace
}  // namespace nv::widgets
