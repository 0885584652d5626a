#pragma once

#include <string>
#include <string_view>

#include "platform/form_texts.h"

namespace nv::platform {

// Icons of the message box.
namespace message_kind {
inline constexpr int kWarning = 0;
inline constexpr int kQuestion = 1;
inline constexpr int kQuestion2 = 2;
}  // namespace message_kind

// Button bits of the message box and the answers it returns.
namespace message_button {
inline constexpr int kYes = 0x10;
inline constexpr int kNo = 0x20;
inline constexpr int kOk = 0x02;
inline constexpr int kCancel = 0x04;
inline constexpr int kClose = 0x40;
}  // namespace message_button

namespace message_result {
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;  // also Close, Escape and the window's close box
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace message_result

// Asks the user: the program's message box, or in tests a scripted answer.
// Texts are UTF-8 and shown as plain text; a line break ends a line.
class MessagePrompt {
 public:
  virtual ~MessagePrompt() = default;
  virtual int ShowMessageBlock(std::string_view caption, std::string_view text, int kind, int buttons) = 0;
};

// The generic error message: caption main-window text 21, text main-window
// text 7, and when the error carries a reason (the file and the system's
// reason) that reason on a line of its own; warning icon, Ok.
void ShowErrorMessage(MessagePrompt& prompt, const FormTexts& texts, std::string_view reason = {});

// The text ShowErrorMessage shows.
std::string ErrorMessageText(const FormTexts& texts, std::string_view reason);

}  // namespace nv::platform
