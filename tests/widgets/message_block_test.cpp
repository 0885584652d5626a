#include "widgets/message_block.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "widgets/language.h"
#include "widgets/message_icon.h"

namespace nv::widgets {
namespace {

namespace mb = platform::message_button;

std::unique_ptr<TFMessageBlock> Box(const QString& text, int kind, int buttons) {
  auto box = std::make_unique<TFMessageBlock>();
  box->setWindowTitle("Caption");
  box->SetMessage(text);
  box->SetKind(kind);
  box->AddButtons(buttons);
  return box;
}

QPushButton* Button(TFMessageBlock& box, const char* name) { return box.findChild<QPushButton*>(name); }

// Shows the box without blocking, as exec() would, and returns its result
// after the keys or clicks.
int ResultAfter(TFMessageBlock& box, const std::function<void()>& act) {
  box.open();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
  act();
  EXPECT_FALSE(box.isVisible());
  return box.result();
}

TEST(MessageBlock, TheSaveQuestionShowsYesNoCancelFromTheLeftWithYesFirst) {
  auto box = Box("Save the changes?", 1, mb::kYes | mb::kNo | mb::kCancel);
  const int w = box->width();
  struct Expected {
    const char* name;
    int left;
    const char* caption;
  };
  for (const Expected& e : {Expected{"BBYes", w - 244, "Yes"}, Expected{"BBNo", w - 164, "No"},
                            Expected{"BBCancel", w - 84, "Cancel"}}) {
    QPushButton* button = Button(*box, e.name);
    ASSERT_NE(button, nullptr) << e.name;
    EXPECT_EQ(button->x(), e.left) << e.name;
    EXPECT_EQ(button->width(), 80) << e.name;
    EXPECT_EQ(button->text(), e.caption);
    EXPECT_LE(button->geometry().bottom(), box->height()) << e.name;
  }
  EXPECT_EQ(Button(*box, "BBOk"), nullptr);
  box->open();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
  EXPECT_EQ(QApplication::focusWidget(), Button(*box, "BBYes"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Button(*box, "BBNo"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Button(*box, "BBCancel"));
}

TEST(MessageBlock, AnswersByButtonEnterAndEscape) {
  {
    auto box = Box("Save?", 1, mb::kYes | mb::kNo | mb::kCancel);
    EXPECT_EQ(ResultAfter(*box, [&] { QTest::mouseClick(Button(*box, "BBNo"), Qt::LeftButton); }), 7);
  }
  {
    auto box = Box("Save?", 1, mb::kYes | mb::kNo | mb::kCancel);
    EXPECT_EQ(ResultAfter(*box, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }), 6);
  }
  {
    auto box = Box("Save?", 1, mb::kYes | mb::kNo | mb::kCancel);
    EXPECT_EQ(ResultAfter(*box, [&] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); }), 2);
  }
  {
    auto box = Box("No buttons at all", 0, 0);
    EXPECT_TRUE(box->findChildren<QPushButton*>().isEmpty());
    EXPECT_EQ(ResultAfter(*box, [&] { QTest::keyClick(box.get(), Qt::Key_Escape); }), 2);
  }
  for (const char* name : {"BBClose", "BBCancel", "BBOk", "BBYes"}) {
    auto box = Box("All", 0, 0x76);
    const int expected = std::string(name) == "BBOk" ? 1 : std::string(name) == "BBYes" ? 6 : 2;
    EXPECT_EQ(ResultAfter(*box, [&] { QTest::mouseClick(Button(*box, name), Qt::LeftButton); }), expected) << name;
  }
}

TEST(MessageBlock, AllButtonsReadYesNoOkCancelCloseFromTheLeft) {
  auto box = Box("All", 0, 0x76);
  auto buttons = box->findChildren<QPushButton*>();
  std::ranges::sort(buttons, {}, [](QPushButton* b) { return b->x(); });
  QStringList captions;
  for (auto* button : buttons) captions << button->text();
  EXPECT_EQ(captions, (QStringList{"Yes", "No", "Ok", "Cancel", "Close"}));
  EXPECT_GE(buttons.front()->x(), 20);
}

TEST(MessageBlock, OneLineGivesTheMinimumFormAndLongTextsWrap) {
  auto one = Box("Short", 0, 0);
  EXPECT_EQ(one->height(), 96);
  EXPECT_GE(one->width(), 194);
  auto* label = one->findChild<QLabel*>("MMessageBlock");
  EXPECT_EQ(label->y(), 20);

  const QString sentence = "The quick brown fox jumps over the lazy dog, again and again; ";
  for (const int characters : {50, 51, 101}) {
    const QString text = (sentence + sentence).left(characters);
    auto box = Box(text, 0, 0);
    auto* message = box->findChild<QLabel*>("MMessageBlock");
    const int wrap = characters > 100 ? 400 : characters > 50 ? 300 : 200;
    const QStringList lines = message->text().split('\n');
    for (const QString& line : lines) EXPECT_LE(message->fontMetrics().horizontalAdvance(line), wrap) << characters;
    EXPECT_EQ(QString(lines.join(' ')).simplified(), text.simplified()) << characters;
    EXPECT_GE(message->width(), message->fontMetrics().horizontalAdvance(message->text().split('\n').first()));
    EXPECT_EQ(box->width(), message->width() + 80);
  }
}

TEST(MessageBlock, TextIsShownLiterallyAndOkIsNotTranslated) {
  auto box = Box("a<b>c & <i>d</i>", 0, mb::kOk);
  auto* message = box->findChild<QLabel*>("MMessageBlock");
  EXPECT_EQ(message->text(), "a<b>c & <i>d</i>");
  EXPECT_EQ(message->textFormat(), Qt::PlainText);
  EXPECT_EQ(Button(*box, "BBOk")->text(), "Ok");
}

TEST(MessageBlock, TheKindChoosesTheIcon) {
  struct Case {
    int kind;
    bool warning, question;
  };
  for (const Case& c : {Case{0, true, false}, Case{1, false, true}, Case{2, false, true}, Case{3, false, false}}) {
    auto box = Box("Icon", c.kind, mb::kOk);
    EXPECT_EQ(box->findChild<MessageIcon*>("IWarning")->isVisibleTo(box.get()), c.warning) << c.kind;
    EXPECT_EQ(box->findChild<MessageIcon*>("IQuestion")->isVisibleTo(box.get()), c.question) << c.kind;
  }
}

class AnsweringPrompt : public platform::MessagePrompt {
 public:
  int ShowMessageBlock(std::string_view caption, std::string_view text, int, int buttons) override {
    caption_ = caption;
    text_ = text;
    buttons_ = buttons;
    return platform::message_result::kNo;
  }
  std::string caption_, text_;
  int buttons_ = 0;
};

TEST(MessageBlock, AnInstalledPromptAnswersInTheBoxsPlace) {
  AnsweringPrompt prompt;
  InstallMessagePrompt(&prompt);
  EXPECT_EQ(ShowMessageBlock("Close", "Save?", 1, 0x34), 7);
  EXPECT_EQ(prompt.buttons_, 0x34);
  ShowErrorMessage("/tmp/x.sfd: No space left on device");
  InstallMessagePrompt(nullptr);
  // Without a language file the built-in English texts are in force.
  EXPECT_EQ(prompt.caption_, "Error");
  EXPECT_EQ(prompt.text_, "The operation could not be completed.\n/tmp/x.sfd: No space left on device");
}

}  // namespace
}  // namespace nv::widgets
