#include "dialogs/property_dialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "document/score_document.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "model/row.h"
#include "platform/ini_file.h"

namespace nv::dialogs {
namespace {

// Runs `act` on the modal dialog once it shows.
void OnModal(std::function<void(QDialog&)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) act(*dialog);
  });
}

template <typename T>
T* Child(QWidget& parent, const char* name) {
  return parent.findChild<T*>(QString::fromLatin1(name));
}

// A score and what a Cancel must leave as it was.
struct ScoreState {
  std::vector<std::uint8_t> bytes;
  bool modified = false;
  int undo = 0;
  bool operator==(const ScoreState&) const = default;
};

ScoreState StateOf(nv::document::ScoreDocument& document) {
  MemoryStream stream;
  document.Score().SaveToStream(stream);
  return {stream.Data(), document.Modified(), document.Score().UndoCount()};
}

class PropertyDialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    TECMusicScore& score = document_.Score();
    score.AppendInstrument()->AppendRow();
    score.LayoutScore(0, false);
    services_.Settings = &settings_;
    services_.ChooseTimbre = [this](int current, bool hideNoAssign) {
      askedWith_ = current;
      hidNoAssign_ = hideNoAssign;
      return chosen_;
    };
  }
  TECInstrument& Staff() { return *document_.Score().CurrentInstrument(); }

  nv::document::ScoreDocument document_;
  nv::platform::IniFile settings_ = nv::platform::IniFile::FromText("/nonexistent/ProgramSetting.ini", "");
  PropertyDialogServices services_;
  std::optional<int> chosen_;
  int askedWith_ = -2;
  bool hidNoAssign_ = false;
};

TEST_F(PropertyDialogs, AStaffWithoutAProgramShowsAnEmptyInstrumentAndChannel16Stays) {
  Staff().SetMidiInstrument(-1);
  Staff().SetChannel(16);
  TFDCInstrumentProperties dialog(services_);
  dialog.SetInstrument(*nv::document::ReadActiveInstrument(document_.Score()));
  EXPECT_EQ(Child<QLineEdit>(dialog, "EInstrumentEdit")->text(), "");
  auto* channel = Child<QSpinBox>(dialog, "UDChannel");
  EXPECT_EQ(channel->value(), 16);
  EXPECT_EQ(channel->minimum(), 1);
  EXPECT_EQ(channel->maximum(), 16);
  EXPECT_EQ(dialog.Instrument().Channel, 16);
}

TEST_F(PropertyDialogs, ANameTypedAfterChoosingAnInstrumentSurvivesOk) {
  Staff().SetMidiInstrument(0);
  chosen_ = 40;
  OnModal([](QDialog& dialog) {
    Child<QToolButton>(dialog, "EInstrumentButton")->click();
    // The chosen program's name shows at once.
    EXPECT_EQ(Child<QLineEdit>(dialog, "EInstrumentEdit")->text(), "Violin");
    auto* name = Child<QLineEdit>(dialog, "EName");
    name->clear();
    QTest::keyClicks(name, "Solo");
    dialog.accept();
  });
  ASSERT_TRUE(EditInstrumentProperties(document_, services_));
  EXPECT_EQ(askedWith_, 0);
  EXPECT_TRUE(hidNoAssign_);
  EXPECT_EQ(Staff().MidiInstrument(), 40);
  EXPECT_EQ(Staff().Name(), "Solo");
}

TEST_F(PropertyDialogs, RowClearingTheInstrumentGivesMinusOneAndThreeVoicesAreModeTwo) {
  TECRow& row = *Staff().GetActiveRow();
  row.SetMidiInstrument(12);
  row.SetChannel(16);
  OnModal([](QDialog& dialog) {
    auto* instrument = Child<QLineEdit>(dialog, "EInstrumentEdit");
    EXPECT_EQ(instrument->text(), "Marimba");
    EXPECT_EQ(Child<QSpinBox>(dialog, "UDChannel")->value(), 16);
    instrument->selectAll();
    QTest::keyClick(instrument, Qt::Key_Backspace);
    Child<QSpinBox>(dialog, "UDLineCount")->setValue(3);
    Child<QRadioButton>(dialog, "RGView1")->click();
    dialog.accept();
  });
  ASSERT_TRUE(EditRowProperties(document_, services_));
  EXPECT_EQ(row.MidiInstrument(), -1);
  EXPECT_EQ(row.VoiceMode(), 2);
  EXPECT_FALSE(row.FiveLineStaff());
  EXPECT_EQ(row.Channel(), 16);
}

TEST_F(PropertyDialogs, NoteNoAssignEmptiesTheEditAndGivesMinusOne) {
  TFNoteProperties dialog(services_);
  dialog.SetInstrument(73);
  EXPECT_EQ(Child<QLineEdit>(dialog, "EInstrumentEdit")->text(), "Flute");
  chosen_ = -1;
  Child<QToolButton>(dialog, "EInstrumentButton")->click();
  EXPECT_FALSE(hidNoAssign_);
  EXPECT_EQ(Child<QLineEdit>(dialog, "EInstrumentEdit")->text(), "");
  EXPECT_EQ(dialog.Program(), -1);
}

TEST_F(PropertyDialogs, TheBarCountRunsFromOneToAThousandAndStartsAtOne) {
  TFDCMeasuresCount dialog(services_);
  auto* count = Child<QSpinBox>(dialog, "UDCount");
  EXPECT_EQ(count->value(), 1);
  EXPECT_EQ(count->minimum(), 1);
  EXPECT_EQ(count->maximum(), 1000);
  OnModal([](QDialog& d) {
    Child<QSpinBox>(d, "UDCount")->setValue(7);
    d.accept();
  });
  EXPECT_EQ(AskMeasuresCount(services_), 7);
  OnModal([](QDialog& d) { d.reject(); });
  EXPECT_FALSE(AskMeasuresCount(services_).has_value());
}

TEST_F(PropertyDialogs, CancelLeavesTheScoreAsItWas) {
  const ScoreState before = StateOf(document_);
  const std::vector<std::function<bool()>> openers = {
      [this] { return EditInstrumentProperties(document_, services_); },
      [this] { return EditRowProperties(document_, services_); },
  };
  for (const auto& open : openers) {
    OnModal([](QDialog& dialog) {
      if (auto* name = Child<QLineEdit>(dialog, "EName")) name->setText("Changed");
      Child<QSpinBox>(dialog, "UDChannel")->setValue(9);
      dialog.reject();
    });
    EXPECT_FALSE(open());
    EXPECT_EQ(StateOf(document_), before);
  }
  // Each dialog kept its place in its own section.
  EXPECT_TRUE(settings_.ValueExists("InstrumentPropertiesForm", "Bounds"));
  EXPECT_TRUE(settings_.ValueExists("RowPropertiesForm", "Bounds"));
}

}  // namespace
}  // namespace nv::dialogs
