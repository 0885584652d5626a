#pragma once

#include <QDialog>
#include <QString>

#include <string_view>

#include "platform/message_prompt.h"

class QLabel;

namespace nv::widgets {

class MessageIcon;
class TECFormLanguage;

// The program's message box: caption, plain text wrapped to its length,
// the icon of its kind (0 warning, 1 and 2 question, else none) and the
// buttons of its bits, Yes, No, Ok, Cancel, Close from left to right. Its
// result is 6 Yes, 7 No, 1 Ok, 2 Cancel, Close, Escape or the close box.
class TFMessageBlock : public QDialog {
  Q_OBJECT
 public:
  explicit TFMessageBlock(QWidget* parent = nullptr);

  void SetMessage(const QString& text);
  void SetKind(int kind);
  void AddButtons(int buttons);

  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  MessageIcon* question_;
  MessageIcon* warning_;
  QLabel* message_;
  TECFormLanguage* language_;
};

// Shows the box modally (or asks the installed prompt) and returns its result.
int ShowMessageBlock(const QString& caption, const QString& text, int kind, int buttons);

// The generic error message (main-window texts 21 and 7, warning, Ok), with
// the reason on a line of its own when there is one.
void ShowErrorMessage(std::string_view reason = {});

// The prompt that shows the message box.
class MessageBlockPrompt : public platform::MessagePrompt {
 public:
  int ShowMessageBlock(std::string_view caption, std::string_view text, int kind, int buttons) override;
};

// The prompt in force: the installed one, else the message box. Installing
// null restores the box; tests install one that answers in its place.
platform::MessagePrompt& CurrentMessagePrompt();
void InstallMessagePrompt(platform::MessagePrompt* prompt);

}  // namespace nv::widgets
