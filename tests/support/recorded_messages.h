#pragma once

#include <string>
#include <string_view>

#include "platform/message_prompt.h"
#include "widgets/message_block.h"

// Answers the program's message box with OK while it lives, counting the
// messages and keeping the last one.
struct RecordedMessages : nv::platform::MessagePrompt {
  RecordedMessages() { nv::widgets::InstallMessagePrompt(this); }
  ~RecordedMessages() override { nv::widgets::InstallMessagePrompt(nullptr); }
  RecordedMessages(const RecordedMessages&) = delete;
  RecordedMessages& operator=(const RecordedMessages&) = delete;

  int ShowMessageBlock(std::string_view caption, std::string_view text, int, int) override {
    ++shown;
    lastCaption = std::string(caption);
    lastText = std::string(text);
    return nv::platform::message_result::kOk;
  }
  int shown = 0;
  std::string lastCaption;
  std::string lastText;
};
