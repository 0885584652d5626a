#include "dialogs/dialog_frame.h"

#include <QPushButton>
#include <QTimer>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "dialogs/help_topic.h"
#include "platform/ini_file.h"
#include "platform/message_prompt.h"
#include "widgets/message_block.h"

namespace nv::dialogs {
namespace {

using nv::platform::IniFile;

// A dialog with one further key and a check that refuses an odd count.
class CountDialog : public DialogFrame {
 public:
  CountDialog(IniFile* settings, BoundsMode mode)
      : DialogFrame({QStringLiteral("FDCMeasuresCount"), {300, 200}, "MeasuresCountForm", mode,
                     QStringLiteral("Counts"), 0},
                    settings) {
    count = new QSpinBox(this);
    count->setObjectName(QStringLiteral("UDCount"));
    ok = MakeOkButton(this);
    cancel = MakeCancelButton(this);
    SetSettingsKeys({{"Count", "4", [box = count](const std::string& v) { box->setValue(std::stoi(v)); },
                      [box = count] { return std::to_string(box->value()); }}});
  }
  QSpinBox* count;
  QPushButton* ok;
  QPushButton* cancel;

 protected:
  bool validate() override {
    if (count->value() % 2 == 0) return true;
    rejectInput(QStringLiteral("Count"));
    return false;
  }
};

class PlacedDialog : public DialogFrame {
 public:
  PlacedDialog(IniFile* settings, BoundsMode mode)
      : DialogFrame({QStringLiteral("FDCPreview"), {320, 240}, "PreviewForm", mode, {}, 0}, settings) {}
};

struct Answers : nv::platform::MessagePrompt {
  int ShowMessageBlock(std::string_view caption, std::string_view text, int kind, int buttons) override {
    ++shown;
    lastKind = kind;
    lastButtons = buttons;
    lastCaption = std::string(caption);
    lastText = std::string(text);
    return nv::platform::message_result::kOk;
  }
  int shown = 0;
  int lastKind = -1;
  int lastButtons = 0;
  std::string lastCaption;
  std::string lastText;
};

TEST(DialogFrame, WritesItsBoundsAndKeysAfterOkAndCancel) {
  for (bool viaOk : {true, false}) {
    IniFile settings = IniFile::FromText("/nonexistent/ProgramSetting.ini", "");
    {
      CountDialog dialog(&settings, BoundsMode::Position);
      EXPECT_EQ(dialog.count->value(), 4);
      dialog.count->setValue(6);
      dialog.move(120, 80);
      QTimer::singleShot(0, &dialog, [&] { (viaOk ? dialog.ok : dialog.cancel)->click(); });
      EXPECT_EQ(dialog.exec(), viaOk ? QDialog::Accepted : QDialog::Rejected);
      dialog.move(120, 80);  // a window manager may have placed the frame elsewhere
    }
    EXPECT_EQ(settings.ReadString("MeasuresCountForm", "Bounds", ""), "120,80,300,200");
    EXPECT_EQ(settings.ReadString("MeasuresCountForm", "Count", ""), "6");
    CountDialog again(&settings, BoundsMode::Position);
    EXPECT_EQ(again.count->value(), 6);
  }
}

TEST(DialogFrame, RestoresWhatTheSettingsHold) {
  IniFile settings = IniFile::FromText("/nonexistent/ProgramSetting.ini",
                                       "[PreviewForm]\nBounds=-250,10,300,200\n");
  PlacedDialog dialog(&settings, BoundsMode::PositionSize);
  EXPECT_EQ(dialog.pos(), QPoint(-250, 10));
  EXPECT_EQ(dialog.size(), QSize(300, 200));

  IniFile damaged = IniFile::FromText("/nonexistent/ProgramSetting.ini", "[PreviewForm]\nBounds=10,abc,300\n");
  PlacedDialog partly(&damaged, BoundsMode::PositionSize);
  EXPECT_EQ(partly.x(), 10);
  EXPECT_EQ(partly.width(), 300);
  EXPECT_EQ(partly.height(), 240);

  IniFile offScreen = IniFile::FromText("/nonexistent/ProgramSetting.ini", "[PreviewForm]\nBounds=-5000,-5000,300,200\n");
  PlacedDialog atOrigin(&offScreen, BoundsMode::Position);
  EXPECT_EQ(atOrigin.pos(), QPoint(0, 0));
  EXPECT_EQ(atOrigin.size(), QSize(320, 240));
}

TEST(DialogFrame, WithoutSettingsNothingIsReadOrWritten) {
  CountDialog dialog(nullptr, BoundsMode::Position);
  EXPECT_EQ(dialog.count->value(), 4);
  EXPECT_EQ(dialog.size(), QSize(300, 200));
}

TEST(DialogFrame, RefusedInputKeepsTheDialogOpen) {
  Answers answers;
  nv::widgets::InstallMessagePrompt(&answers);
  CountDialog dialog(nullptr, BoundsMode::None);
  dialog.count->setValue(3);
  dialog.show();
  dialog.ok->click();
  EXPECT_EQ(answers.shown, 1);
  EXPECT_EQ(answers.lastKind, nv::platform::message_kind::kWarning);
  EXPECT_EQ(answers.lastButtons, nv::platform::message_button::kOk);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 0);
  dialog.count->setValue(4);
  dialog.ok->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  nv::widgets::InstallMessagePrompt(nullptr);
}

TEST(DialogFrame, EscapeRejectsAndF1OpensTheTopic) {
  QString opened;
  InstallHelpTopicOpener([&](const QString& topic) { opened = topic; });
  CountDialog dialog(nullptr, BoundsMode::None);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_F1);
  EXPECT_EQ(opened, "Counts");
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  InstallHelpTopicOpener(nullptr);
  EXPECT_EQ(dialog.ok->text(), "&Ok");
  EXPECT_EQ(dialog.cancel->text(), "Ca&ncel");
}

}  // namespace
}  // namespace nv::dialogs
