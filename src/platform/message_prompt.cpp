#include "platform/message_prompt.h"

namespace nv::platform {

namespace {
constexpr int kGenericErrorText = 7;
constexpr int kErrorCaption = 21;
}  // namespace

std::string ErrorMessageText(const FormTexts& texts, std::string_view reason) {
  std::string text = texts.GetString(form_key::kMainWindow, kGenericErrorText);
  if (!reason.empty()) {
    if (!text.empty()) text += '\n';
    text += reason;
  }
  return text;
}

void ShowErrorMessage(MessagePrompt& prompt, const FormTexts& texts, std::string_view reason) {
  prompt.ShowMessageBlock(texts.GetString(form_key::kMainWindow, kErrorCaption), ErrorMessageText(texts, reason),
                          message_kind::kWarning, message_button::kOk);
}

}  // namespace nv::platform
