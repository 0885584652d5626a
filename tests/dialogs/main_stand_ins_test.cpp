#include "dialogs/main_stand_ins.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "dialogs/form_dialog.h"
#include "platform/message_prompt.h"
#include "widgets/message_block.h"

namespace nv::dialogs {
namespace {

// Runs `answer` on the modal form once it shows.
void WhenShown(std::function<void(FormDialog&)> answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<FormDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

TEST(MainStandIns, TheNewCompositionGivesItsLinesStaffAndTempo) {
  MainStandIns dialogs(nullptr, nullptr);
  WhenShown([](FormDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Musical staff properties");
    d.findChild<QPlainTextEdit*>(QStringLiteral("MTitle"))->setPlainText(QStringLiteral("Sonata\nin C"));
    d.SetValues({{"EInstrument", 40}, {"UDTempo", 96}});
    d.OkButton()->click();
  });
  const std::optional<nv::document::NewStaffSetup> setup = dialogs.NewComposition();
  ASSERT_TRUE(setup);
  EXPECT_EQ(setup->Title, (std::vector<std::string>{"Sonata", "in C"}));
  EXPECT_TRUE(setup->Author.empty());
  EXPECT_EQ(setup->Timbre, 40);
  EXPECT_EQ(setup->Name, "Violin");
  EXPECT_EQ(setup->Tempo, 96);
}

TEST(MainStandIns, TheBarCountStaysInItsRangeAndCancelGivesNone) {
  MainStandIns dialogs(nullptr, nullptr);
  WhenShown([](FormDialog& d) {
    EXPECT_EQ(d.Values().Int("UDCount"), 1);
    d.SetValues({{"UDCount", 5000}});
    d.OkButton()->click();
  });
  EXPECT_EQ(dialogs.BarCount(), nv::document::kMaxBarCount);
  WhenShown([](FormDialog& d) { d.CancelButton()->click(); });
  EXPECT_EQ(dialogs.BarCount(), std::nullopt);
}

TEST(MainStandIns, TheMidiImportGivesItsTwoChoices) {
  MainStandIns dialogs(nullptr, nullptr);
  WhenShown([](FormDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Import MIDI");
    EXPECT_EQ(d.Values().Int("GBQuantize"), 8);
    d.SetValues({{"RGTracks", 1}, {"GBQuantize", 16}});
    d.OkButton()->click();
  });
  EXPECT_EQ(dialogs.MidiImport("song.mid"), (nv::document::MidiImportChoices{true, 16}));
}

TEST(MainStandIns, PrintOffersThePagesAndRefusesARangeBackwards) {
  struct Refusals : nv::platform::MessagePrompt {
    int ShowMessageBlock(std::string_view, std::string_view, int, int) override {
      ++shown;
      return nv::platform::message_result::kOk;
    }
    int shown = 0;
  } refusals;
  nv::widgets::InstallMessagePrompt(&refusals);
  MainStandIns dialogs(nullptr, nullptr);
  const nv::document::PrintChoices offer{.MinPage = 1, .MaxPage = 3, .FromPage = 1, .ToPage = 3};
  WhenShown([&refusals](FormDialog& d) {
    EXPECT_EQ(d.Values().Int("FromPage"), 1);
    EXPECT_EQ(d.Values().Int("ToPage"), 3);
    EXPECT_EQ(d.Values().Int("Copies"), 1);
    d.SetValues({{"FromPage", 3}, {"ToPage", 2}});
    // Refused: the form says why and stays open.
    d.OkButton()->click();
    EXPECT_EQ(refusals.shown, 1);
    EXPECT_TRUE(d.isVisible());
    d.SetValues({{"FromPage", 2}, {"ToPage", 3}, {"Copies", 2}, {"Collate", true}});
    d.OkButton()->click();
  });
  EXPECT_EQ(dialogs.Print(offer), (nv::document::PrintChoices{.MinPage = 1,
                                                             .MaxPage = 3,
                                                             .FromPage = 2,
                                                             .ToPage = 3,
                                                             .Copies = 2,
                                                             .Collate = true}));
  nv::widgets::InstallMessagePrompt(nullptr);
}

TEST(MainStandIns, ThePrinterSetUpOffersTheDefaultAndEachPrinterAndCancelGivesNone) {
  MainStandIns dialogs(nullptr, nullptr);
  const nv::document::PrinterChoice offer{{"Office", "Lab"}, "Lab"};
  WhenShown([](FormDialog& d) {
    EXPECT_EQ(d.windowTitle(), "Print settings");
    // The system's default first, then the printers; the one in use chosen.
    EXPECT_EQ(d.Values().Int("Printer"), 2);
    d.SetValues({{"Printer", 1}});
    d.OkButton()->click();
  });
  EXPECT_EQ(dialogs.PrinterSetup(offer), (nv::document::PrinterChoice{{"Office", "Lab"}, "Office"}));
  WhenShown([](FormDialog& d) {
    d.SetValues({{"Printer", 0}});
    d.OkButton()->click();
  });
  EXPECT_EQ(dialogs.PrinterSetup(offer), (nv::document::PrinterChoice{{"Office", "Lab"}, ""}));
  // A printer no longer there is offered as the default.
  WhenShown([](FormDialog& d) {
    EXPECT_EQ(d.Values().Int("Printer"), 0);
    d.CancelButton()->click();
  });
  EXPECT_EQ(dialogs.PrinterSetup({{"Office"}, "Gone"}), std::nullopt);
}

}  // namespace
}  // namespace nv::dialogs
