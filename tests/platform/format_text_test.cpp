#include "platform/format_text.h"

#include <gtest/gtest.h>

#include "platform/form_texts.h"
#include "platform/message_prompt.h"

namespace nv::platform {
namespace {

TEST(FormatText, ReplacesTheFirstPlaceholderAndLeavesEveryOtherPercent) {
  EXPECT_EQ(FormatText("%d %s %", "a.sfd"), "%d a.sfd %");
  EXPECT_EQ(FormatText("Save %s?", "%s%n"), "Save %s%n?");
  EXPECT_EQ(FormatText("%s and %s", "x"), "x and %s");
  EXPECT_EQ(FormatText("No placeholder", "a.sfd"), "No placeholder a.sfd");
}

class FixedTexts : public FormTexts {
 public:
  std::string GetString(std::string_view key, int n) const override {
    if (key != form_key::kMainWindow) return {};
    return n == 7 ? "The operation failed." : n == 21 ? "Error" : "";
  }
};

class RecordingPrompt : public MessagePrompt {
 public:
  int ShowMessageBlock(std::string_view caption, std::string_view text, int kind, int buttons) override {
    caption_ = caption;
    text_ = text;
    kind_ = kind;
    buttons_ = buttons;
    return message_result::kOk;
  }
  std::string caption_, text_;
  int kind_ = -1, buttons_ = -1;
};

TEST(ShowErrorMessage, ShowsTheGenericErrorWithTheReasonOnItsOwnLine) {
  RecordingPrompt prompt;
  ShowErrorMessage(prompt, FixedTexts(), "/tmp/a.sfd: Permission denied");
  EXPECT_EQ(prompt.caption_, "Error");
  EXPECT_EQ(prompt.text_, "The operation failed.\n/tmp/a.sfd: Permission denied");
  EXPECT_EQ(prompt.kind_, message_kind::kWarning);
  EXPECT_EQ(prompt.buttons_, message_button::kOk);
  ShowErrorMessage(prompt, FixedTexts());
  EXPECT_EQ(prompt.text_, "The operation failed.");
}

}  // namespace
}  // namespace nv::platform
