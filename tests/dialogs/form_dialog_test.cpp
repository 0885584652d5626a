#include "dialogs/form_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <optional>

#include "dialogs/drawing_style_palettes.h"
#include "dialogs/help_topic.h"
#include "platform/ini_file.h"
#include "platform/message_prompt.h"
#include "widgets/char_button.h"
#include "widgets/message_block.h"

namespace nv::dialogs {
namespace {

using nv::platform::IniFile;
using nv::widgets::TECCharButton;

struct Answers : nv::platform::MessagePrompt {
  int ShowMessageBlock(std::string_view, std::string_view text, int kind, int buttons) override {
    ++shown;
    lastText = std::string(text);
    lastKind = kind;
    lastButtons = buttons;
    return nv::platform::message_result::kOk;
  }
  int shown = 0;
  int lastKind = -1;
  int lastButtons = 0;
  std::string lastText;
};

void FlushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// A staff dialog with a field of every kind, as the property dialogs use them.
class StaffDialog : public FormDialog {
 public:
  explicit StaffDialog(IniFile* settings = nullptr, std::optional<int> chosenProgram = std::nullopt)
      : FormDialog({QStringLiteral("FDCInstrumentProperties"), {320, 360}, "InstrumentPropertiesForm",
                    BoundsMode::Position, QStringLiteral("Staff"), 0},
                   settings) {
    FormFields& f = Fields();
    f.AddText(QStringLiteral("EName"), QStringLiteral("&Name"), QStringLiteral("Staff"));
    f.AddInstrument(QStringLiteral("EInstrument"), QStringLiteral("Instrument"),
                    [this, chosenProgram](int current) {
                      askedWith = current;
                      return chosenProgram;
                    },
                    -1);
    f.AddSpin(QStringLiteral("UDChannel"), QStringLiteral("Channel"), 0, 15, 0);
    f.AddCheck(QStringLiteral("CBMute"), QStringLiteral("Mute"), false);
    f.AddRadio(QStringLiteral("RGView"), QStringLiteral(" View "),
               {QStringLiteral("Normal (5 lines)"), QStringLiteral("Single line")}, 0);
    f.AddCombo(QStringLiteral("CBVoices"), QStringLiteral("Voices"),
               {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}, 0);
    f.AddCombo(QStringLiteral("CBTempo"), QStringLiteral("Tempo"), std::vector<int>{60, 90, 120},
               {[](int v) { return QStringLiteral("%1 bpm").arg(v); },
                [](const QString& text) -> std::optional<int> {
                  bool ok = false;
                  const int v = QString(text).remove(QStringLiteral(" bpm")).trimmed().toInt(&ok);
                  return ok && v > 0 ? std::optional<int>(v) : std::nullopt;
                }},
               90);
    GlyphGroup accolades;
    accolades.buttons = {{0, QStringLiteral("SBAccolade0"), QStringLiteral("Accolade"), {}, 'a', {2, 2}, {}},
                         {1, QStringLiteral("SBAccolade1"), QStringLiteral("Accolade"), {}, 'b', {2, 2}, {}}};
    accolades.allowAllUp = true;
    accolades.none = -1;
    f.AddGlyphGroup(QStringLiteral("GBAccolade"), {}, accolades, 0);
    f.AddPaletteButton(QStringLiteral("CBLineStyle"), QStringLiteral("Line"), [] { return new LineStylePalette; },
                       [](QPainter&, const QRect&, int) {}, 1);
    f.AddTrackBar(QStringLiteral("TBVolume"), QStringLiteral("Volume"), 0, 127, 100);
    // The channel only for a sounding staff; the tempo only for one voice.
    f.SetEnabledRule(QStringLiteral("UDChannel"), [](const FormValues& v) { return !v.Bool("CBMute"); });
    f.SetVisibleRule(QStringLiteral("CBTempo"), [](const FormValues& v) { return v.Int("CBVoices") == 0; });
    f.SetOnChange([this] { ++changes; });
    AddCheck([](const FormValues& v) -> std::optional<QString> {
      if (v.Text("EName").empty()) return QStringLiteral("Name");
      return std::nullopt;
    });
    Translate();
  }

  template <typename T>
  T* Child(const char* name) {
    return findChild<T*>(QString::fromLatin1(name));
  }

  int changes = 0;
  int askedWith = -2;
};

FormValues Filled() {
  return {{"EName", std::string("Flute")}, {"EInstrument", 73},   {"UDChannel", 9},  {"CBMute", true},
          {"RGView", 1},                   {"CBVoices", 2},       {"CBTempo", 120},  {"GBAccolade", 1},
          {"CBLineStyle", 3},              {"TBVolume", 64}};
}

TEST(FormDialog, GivesBackTheValuesItWasFilledWith) {
  StaffDialog dialog;
  const FormValues designed = dialog.Values();
  EXPECT_EQ(designed.Text("EName"), "Staff");
  EXPECT_EQ(designed.Int("EInstrument"), -1);
  EXPECT_EQ(designed.Int("CBTempo"), 90);
  EXPECT_EQ(designed.Int("GBAccolade"), 0);
  EXPECT_EQ(designed.Int("TBVolume"), 100);

  dialog.SetValues(Filled());
  EXPECT_EQ(dialog.Values(), Filled());
  EXPECT_EQ(dialog.Child<QLineEdit>("EInstrumentEdit")->text(), "Flute");
  EXPECT_EQ(dialog.Child<QComboBox>("CBTempo")->currentText(), "120 bpm");
  EXPECT_TRUE(dialog.Child<QRadioButton>("RGView1")->isChecked());
  EXPECT_TRUE(dialog.Child<TECCharButton>("SBAccolade1")->Down());
  EXPECT_EQ(dialog.Child<QLabel>("TBVolumeValue")->text(), "64");
  // Filling reports nothing, but the rules follow the values.
  EXPECT_EQ(dialog.changes, 0);
  EXPECT_FALSE(dialog.Child<QSpinBox>("UDChannel")->isEnabled());
  EXPECT_FALSE(dialog.Child<QLabel>("UDChannelLabel")->isEnabled());
  EXPECT_TRUE(dialog.Child<QComboBox>("CBTempo")->isHidden());
}

TEST(FormDialog, KeepsNumbersWithinTheirFieldsBounds) {
  StaffDialog dialog;
  dialog.SetValues({{"UDChannel", 40}, {"TBVolume", -5}, {"EInstrument", 128}, {"RGView", 7}, {"GBAccolade", 9}});
  const FormValues values = dialog.Values();
  EXPECT_EQ(values.Int("UDChannel"), 15);
  EXPECT_EQ(values.Int("TBVolume"), 0);
  // No program 128, no third view: nothing is chosen.
  EXPECT_EQ(values.Int("EInstrument"), -1);
  EXPECT_EQ(dialog.Child<QLineEdit>("EInstrumentEdit")->text(), "");
  EXPECT_EQ(values.Int("RGView"), -1);
  EXPECT_EQ(values.Int("GBAccolade"), -1);
  // The channel's edit takes no typing: only the up-down moves it.
  auto* channel = dialog.Child<QSpinBox>("UDChannel");
  EXPECT_TRUE(channel->findChild<QLineEdit*>()->isReadOnly());
  channel->stepUp();
  EXPECT_EQ(channel->value(), 15);
  // A value of the wrong kind is a fault of the caller, not a silent zero.
  EXPECT_THROW(dialog.SetValues({{"CBMute", 1}}), std::invalid_argument);
  EXPECT_THROW(dialog.SetValues({{"UDNothing", 1}}), std::invalid_argument);
}

TEST(FormDialog, EachUserChangeReportsOnceAndRerunsTheRules) {
  StaffDialog dialog;
  dialog.Child<QCheckBox>("CBMute")->click();
  EXPECT_EQ(dialog.changes, 1);
  EXPECT_FALSE(dialog.Child<QSpinBox>("UDChannel")->isEnabled());
  dialog.Child<QComboBox>("CBVoices")->setCurrentIndex(1);
  EXPECT_EQ(dialog.changes, 2);
  EXPECT_TRUE(dialog.Child<QComboBox>("CBTempo")->isHidden());
  dialog.Child<QRadioButton>("RGView1")->click();
  EXPECT_EQ(dialog.changes, 3);
  EXPECT_EQ(dialog.Values().Int("RGView"), 1);
  QTest::mouseClick(dialog.Child<TECCharButton>("SBAccolade1"), Qt::LeftButton);
  EXPECT_EQ(dialog.changes, 4);
  EXPECT_EQ(dialog.Values().Int("GBAccolade"), 1);
  EXPECT_FALSE(dialog.Child<TECCharButton>("SBAccolade0")->Down());
  // The accolade may be none at all.
  QTest::mouseClick(dialog.Child<TECCharButton>("SBAccolade1"), Qt::LeftButton);
  EXPECT_EQ(dialog.Values().Int("GBAccolade"), -1);
  dialog.Child<QSlider>("TBVolumeBar")->setValue(30);
  EXPECT_EQ(dialog.changes, 6);
  EXPECT_EQ(dialog.Child<QLabel>("TBVolumeValue")->text(), "30");
  dialog.Child<QComboBox>("CBVoices")->setCurrentIndex(0);
  dialog.Child<QComboBox>("CBTempo")->setCurrentIndex(2);
  EXPECT_EQ(dialog.Values().Int("CBTempo"), 120);
}

TEST(FormDialog, RefusesInputThatIsNoValueAndStaysOpen) {
  Answers answers;
  nv::widgets::InstallMessagePrompt(&answers);
  StaffDialog dialog;
  dialog.show();
  dialog.Child<QComboBox>("CBTempo")->setEditText(QStringLiteral("fast"));
  dialog.OkButton()->click();
  EXPECT_EQ(answers.shown, 1);
  EXPECT_EQ(answers.lastKind, nv::platform::message_kind::kWarning);
  EXPECT_EQ(answers.lastButtons, nv::platform::message_button::kOk);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 0);
  // The last good tempo is what the dialog still holds.
  EXPECT_EQ(dialog.Values().Int("CBTempo"), 90);

  dialog.Child<QComboBox>("CBTempo")->setEditText(QStringLiteral("100 bpm"));
  dialog.Child<QLineEdit>("EName")->clear();
  dialog.OkButton()->click();
  EXPECT_EQ(answers.shown, 2);
  EXPECT_TRUE(dialog.isVisible());

  dialog.Child<QLineEdit>("EName")->setText(QStringLiteral("Oboe"));
  dialog.OkButton()->click();
  EXPECT_EQ(answers.shown, 2);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.Values().Int("CBTempo"), 100);
  nv::widgets::InstallMessagePrompt(nullptr);
}

TEST(FormDialog, AHiddenFieldRefusesNothing) {
  StaffDialog dialog;
  dialog.show();
  dialog.Child<QComboBox>("CBTempo")->setEditText(QStringLiteral("fast"));
  dialog.Child<QComboBox>("CBVoices")->setCurrentIndex(2);
  dialog.OkButton()->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(FormDialog, TheInstrumentFieldAsksTheChooserAndCanBeEmptied) {
  StaffDialog choosing(nullptr, 40);
  choosing.SetValues({{"EInstrument", 0}});
  choosing.Child<QToolButton>("EInstrumentButton")->click();
  EXPECT_EQ(choosing.askedWith, 0);
  EXPECT_EQ(choosing.Values().Int("EInstrument"), 40);
  EXPECT_EQ(choosing.Child<QLineEdit>("EInstrumentEdit")->text(), "Violin");
  EXPECT_EQ(choosing.changes, 1);

  StaffDialog cancelling(nullptr, std::nullopt);
  cancelling.SetValues({{"EInstrument", 40}});
  cancelling.Child<QToolButton>("EInstrumentButton")->click();
  EXPECT_EQ(cancelling.Values().Int("EInstrument"), 40);
  EXPECT_EQ(cancelling.changes, 0);
  auto* edit = cancelling.Child<QLineEdit>("EInstrumentEdit");
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  EXPECT_EQ(cancelling.Values().Int("EInstrument"), -1);
}

TEST(FormDialog, APaletteButtonOpensItsPalettePreSetAndTakesTheChoice) {
  StaffDialog dialog;
  dialog.show();
  auto* button = dialog.Child<TECCharButton>("CBLineStyle");
  QTest::mouseClick(button, Qt::LeftButton);
  QPointer<LineStylePalette> palette;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* open = qobject_cast<LineStylePalette*>(window); open && open->isVisible()) palette = open;
  ASSERT_FALSE(palette.isNull());
  EXPECT_EQ(palette->Current(), 1);
  // Under the button, left edges together.
  EXPECT_EQ(palette->x(), button->mapToGlobal(QPoint(0, 0)).x());
  QTest::mouseClick(palette->ButtonOf(4), Qt::LeftButton);
  FlushDeletes();
  EXPECT_TRUE(palette.isNull());
  EXPECT_EQ(dialog.Values().Int("CBLineStyle"), 4);
  EXPECT_EQ(dialog.changes, 1);
}

TEST(FormDialog, EscapeAndF1ComeFromTheFrame) {
  QString opened;
  InstallHelpTopicOpener([&](const QString& topic) { opened = topic; });
  StaffDialog dialog;
  EXPECT_NE(dialog.findChild<QPushButton*>(QStringLiteral("BHelp")), nullptr);
  dialog.show();
  QTest::keyClick(&dialog, Qt::Key_F1);
  EXPECT_EQ(opened, "Staff");
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_FALSE(dialog.isVisible());
  InstallHelpTopicOpener(nullptr);
}

TEST(FormDialog, WritesItsBoundsAfterOkAndCancelAlike) {
  for (bool viaOk : {true, false}) {
    IniFile settings = IniFile::FromText("/nonexistent/ProgramSetting.ini", "");
    {
      StaffDialog dialog(&settings);
      dialog.move(40, 30);
      QTimer::singleShot(0, &dialog, [&] { (viaOk ? dialog.OkButton() : dialog.CancelButton())->click(); });
      EXPECT_EQ(dialog.exec(), viaOk ? QDialog::Accepted : QDialog::Rejected);
      dialog.move(40, 30);
    }
    const std::string bounds = settings.ReadString("InstrumentPropertiesForm", "Bounds", "");
    EXPECT_EQ(bounds.rfind("40,30,", 0), 0U) << bounds;
    EXPECT_EQ(bounds.find(' '), std::string::npos);
  }
}

TEST(FormDialog, KeepsChosenFieldsInItsSectionAfterCancelToo) {
  IniFile settings = IniFile::FromText("/nonexistent/ProgramSetting.ini",
                                       "[InstrumentPropertiesForm]\nChannel=12\nMute=junk\n");
  {
    StaffDialog dialog(&settings);
    dialog.KeepInSettings({{"Channel", QStringLiteral("UDChannel")},
                           {"Mute", QStringLiteral("CBMute")},
                           {"Name", QStringLiteral("EName")}});
    // A stored value that is none of the field's leaves the field as designed.
    EXPECT_EQ(dialog.Values().Int("UDChannel"), 12);
    EXPECT_FALSE(dialog.Values().Bool("CBMute"));
    EXPECT_EQ(dialog.Values().Text("EName"), "Staff");
    dialog.SetValues({{"UDChannel", 3}, {"CBMute", true}});
    QTimer::singleShot(0, &dialog, [&] { dialog.CancelButton()->click(); });
    dialog.exec();
  }
  EXPECT_EQ(settings.ReadString("InstrumentPropertiesForm", "Channel", ""), "3");
  EXPECT_EQ(settings.ReadString("InstrumentPropertiesForm", "Mute", ""), "1");
  EXPECT_EQ(settings.ReadString("InstrumentPropertiesForm", "Name", ""), "Staff");
}

}  // namespace
}  // namespace nv::dialogs
