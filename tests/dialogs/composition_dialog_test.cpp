#include "dialogs/composition_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/drum_dialogs.h"
#include "dialogs/logic/drum_map_cells.h"
#include "document/note_preview.h"
#include "document/score_document.h"
#include "library/library_fixture.h"
#include "library/library_store.h"
#include "model/drum_map.h"
#include "model/instrument.h"
#include "model/memory_stream.h"
#include "platform/ini_file.h"
#include "platform/message_prompt.h"
#include "platform/qt/qt_ui_thread.h"
#include "platform/sound/test_midi_ports.h"
#include "playback/midi_output.h"
#include "widgets/char_button.h"
#include "widgets/message_block.h"
#include "widgets/page_control.h"

namespace nv::dialogs {
namespace {

namespace dm = drum_map;
using nv::document::CompositionProps;

template <typename T>
T* Child(QWidget& parent, const char* name) {
  return parent.findChild<T*>(QString::fromLatin1(name));
}

struct Answers : nv::platform::MessagePrompt {
  int ShowMessageBlock(std::string_view, std::string_view text, int, int) override {
    texts.emplace_back(text);
    return nv::platform::message_result::kOk;
  }
  std::vector<std::string> texts;
};

class CompositionDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    nv::widgets::InstallMessagePrompt(&answers_);
    services_.Settings = &settings_;
    TECMusicScore& score = document_.Score();
    score.AppendInstrument()->AppendRow();
    score.LayoutScore(0, false);
  }
  void TearDown() override { nv::widgets::InstallMessagePrompt(nullptr); }

  // A dialog loaded from the document's score, at 96 pixels an inch.
  std::unique_ptr<TFDCCompositionProperties> Loaded() {
    auto dialog = std::make_unique<TFDCCompositionProperties>(services_, 96);
    dialog->LoadFromProps(nv::document::ReadCompositionProps(document_.Score()));
    return dialog;
  }

  Answers answers_;
  nv::platform::IniFile settings_ = nv::platform::IniFile::FromText("/nonexistent/ProgramSetting.ini", "");
  DrumMapServices services_;
  nv::document::ScoreDocument document_;
};

TEST_F(CompositionDialog, JoiningByFiveOpensAsCustomAndNoneWritesZero) {
  document_.Score().SetUnionCount(5);
  auto dialog = Loaded();
  EXPECT_TRUE(Child<QRadioButton>(*dialog, "RGUnion3")->isChecked());
  EXPECT_EQ(Child<QSpinBox>(*dialog, "UDUnionCount")->value(), 5);
  EXPECT_TRUE(Child<QSpinBox>(*dialog, "UDUnionCount")->isEnabled());
  Child<QRadioButton>(*dialog, "RGUnion0")->click();
  EXPECT_FALSE(Child<QSpinBox>(*dialog, "UDUnionCount")->isEnabled());
  EXPECT_EQ(dialog->Props().UnionCount, 0);
}

TEST_F(CompositionDialog, LengthsShowInTheUnitAndTypedOnesAreReadInIt) {
  auto dialog = Loaded();
  nv::document::CompositionProps props = dialog->Props();
  props.Page = {27, false, 210, 297, 10, 10, 10, 10, 16};
  dialog->LoadFromProps(props);
  QLineEdit* width = dialog->LengthEdit("Width");
  EXPECT_EQ(width->text(), "210.0mm");
  Child<QRadioButton>(*dialog, "RGMetric1")->click();
  EXPECT_EQ(width->text(), "8.268in");
  width->setText("1");
  Q_EMIT width->editingFinished();
  EXPECT_DOUBLE_EQ(dialog->Props().Page.Width, 25.4);
  EXPECT_EQ(width->text(), "1.000in");
  // Text that is no length reads 0 or as far as it goes, and is rewritten.
  QLineEdit* left = dialog->LengthEdit("Left");
  left->setText("1.2.3");
  Q_EMIT left->editingFinished();
  EXPECT_EQ(left->text(), "1.200in");
  Child<QRadioButton>(*dialog, "RGMetric2")->click();
  EXPECT_EQ(width->text(), "96p");
  Child<QRadioButton>(*dialog, "RGMetric0")->click();
  // An up-down click keeps the fraction.
  QLineEdit* top = dialog->LengthEdit("Top");
  top->setText("10.5");
  Q_EMIT top->editingFinished();
  dialog->LengthUpDown("Top")->stepUp();
  EXPECT_DOUBLE_EQ(dialog->Props().Page.Top, 11.5);
  EXPECT_EQ(top->text(), "11.5mm");
}

TEST_F(CompositionDialog, TheSampleTurnsWithTheOrientationAndTheStartNumberShowsOneMore) {
  auto dialog = Loaded();
  EXPECT_EQ(Child<QSpinBox>(*dialog, "UDStartNumber")->value(), 1);
  Child<QRadioButton>(*dialog, "RGOrientation1")->click();
  EXPECT_EQ(dialog->SamplePaper().size(), QSize(100, 70));
  EXPECT_TRUE(dialog->Props().Page.Landscape);
  Child<QRadioButton>(*dialog, "RGOrientation0")->click();
  EXPECT_EQ(dialog->SamplePaper().size(), QSize(70, 100));
  EXPECT_LT(dialog->SampleMargin().width(), 70);
}

TEST_F(CompositionDialog, TheSymbolIsWrittenOnlyWhereThePairAllowsIt) {
  document_.Score().SetTimeSignature(4, 4, 1, true);
  auto dialog = Loaded();
  EXPECT_TRUE(Child<nv::widgets::TECCharButton>(*dialog, "CBSymbol1")->Down());
  Child<QComboBox>(*dialog, "CBNumerator")->setCurrentText("3");
  EXPECT_FALSE(Child<nv::widgets::TECCharButton>(*dialog, "CBSymbol1")->isEnabled());
  EXPECT_EQ(dialog->Props().Numerator, 3);
  EXPECT_EQ(dialog->Props().SizeStyle, 0);
  Child<QComboBox>(*dialog, "CBNumerator")->setCurrentText("4");
  EXPECT_EQ(dialog->Props().SizeStyle, 1);
}

TEST_F(CompositionDialog, OkRefusesAPageWithNoRoomNamingTheFieldAndChangesNothing) {
  const std::vector<std::uint8_t> before = [&] {
    MemoryStream stream;
    document_.Score().SaveToStream(stream);
    return stream.Data();
  }();
  auto dialog = Loaded();
  Child<QComboBox>(*dialog, "CBPaperSize")->setCurrentIndex(27);
  dialog->show();
  QLineEdit* width = dialog->LengthEdit("Width");
  width->setText("0");
  Q_EMIT width->editingFinished();
  dialog->accept();
  EXPECT_EQ(dialog->result(), 0);
  ASSERT_EQ(answers_.texts.size(), 1u);
  EXPECT_NE(answers_.texts[0].find("Width"), std::string::npos);

  width->setText("100");
  Q_EMIT width->editingFinished();
  dialog->LengthEdit("Left")->setText("60");
  Q_EMIT dialog->LengthEdit("Left")->editingFinished();
  dialog->LengthEdit("Right")->setText("40");
  Q_EMIT dialog->LengthEdit("Right")->editingFinished();
  dialog->accept();
  EXPECT_EQ(dialog->result(), 0);
  ASSERT_EQ(answers_.texts.size(), 2u);
  EXPECT_NE(answers_.texts[1].find("Left"), std::string::npos);
  MemoryStream after;
  document_.Score().SaveToStream(after);
  EXPECT_EQ(after.Data(), before);
}

TEST_F(CompositionDialog, ClearingADrumNameRemovesTheEntryAndUseTogglesBetweenZeroAndOne) {
  SetDrumMapEntry(document_.Score(), 38, "Snare", true, 66, 3);
  SetDrumMapEntry(document_.Score(), 42, "Hi-hat", false, 72, 255);
  auto dialog = Loaded();
  DrumMapGrid& grid = *dialog->DrumGrid();
  EXPECT_EQ(grid.Cell(dm::kName, dm::RowOfPitch(38)), "Snare");
  EXPECT_EQ(grid.Cell(dm::kUse, dm::RowOfPitch(38)), "1");
  EXPECT_EQ(grid.Cell(dm::kPitch, dm::RowOfPitch(60)), "C4");
  grid.SetCell(dm::kName, dm::RowOfPitch(42), "  ");
  grid.SetCell(dm::kUse, dm::RowOfPitch(36), "5");
  grid.SetCell(dm::kName, dm::RowOfPitch(36), "Kick");
  dialog->show();
  const QRect use = grid.CellRect(dm::kUse, dm::RowOfPitch(36));
  grid.SetCurrentCell(dm::kUse, dm::RowOfPitch(36));
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, use.center());
  EXPECT_EQ(grid.Cell(dm::kUse, dm::RowOfPitch(36)), "1");
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, use.center());
  EXPECT_EQ(grid.Cell(dm::kUse, dm::RowOfPitch(36)), "0");

  nv::document::ApplyCompositionProps(document_.Score(), dialog->Props());
  const CompositionProps back = nv::document::ReadCompositionProps(document_.Score());
  EXPECT_EQ(back.Drums, (std::vector<nv::document::DrumMapRow>{{38, "Snare", 3, 66, true}, {36, "Kick", 255, 64, false}}));
}

TEST_F(CompositionDialog, CancelLeavesTheScoreAndItsUndoListAsTheyWereAndTheSheetIsRemembered) {
  MemoryStream before;
  document_.Score().SaveToStream(before);
  const bool modified = document_.Modified();
  const int undo = document_.Score().UndoCount();
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFDCCompositionProperties*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    Child<QSpinBox>(*dialog, "UDTempo")->setValue(200);
    dialog->Pages()->SetActivePage(dialog->Pages()->Pages(3));
    dialog->reject();
  });
  EXPECT_FALSE(EditCompositionProperties(document_, services_));
  MemoryStream after;
  document_.Score().SaveToStream(after);
  EXPECT_EQ(after.Data(), before.Data());
  EXPECT_EQ(document_.Modified(), modified);
  EXPECT_EQ(document_.Score().UndoCount(), undo);
  EXPECT_EQ(settings_.ReadString("CompositionPropertiesForm", "PageIndex", ""), "3");
  EXPECT_TRUE(settings_.ValueExists("CompositionPropertiesForm", "Bounds"));

  // OK writes the tempo.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TFDCCompositionProperties*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Pages()->IndexOf(dialog->Pages()->ActivePage()), 3);
    Child<QSpinBox>(*dialog, "UDTempo")->setValue(200);
    dialog->accept();
  });
  EXPECT_TRUE(EditCompositionProperties(document_, services_));
  EXPECT_EQ(document_.Score().GetTempo(), 200);
}

TEST_F(CompositionDialog, AStoredSheetOutsideTheSheetsShowsTheFirst) {
  for (const char* stored : {"-1", "7", "x"}) {
    settings_.WriteString("CompositionPropertiesForm", "PageIndex", stored);
    TFDCCompositionProperties dialog(services_, 96);
    EXPECT_EQ(dialog.Pages()->IndexOf(dialog.Pages()->ActivePage()), 0) << stored;
  }
}

// The drum map dialog over a library folder of its own.
class DrumMapDialog : public library_fixture::LibraryFolder {
 protected:
  void SetUp() override {
    LibraryFolder::SetUp();
    nv::widgets::InstallMessagePrompt(&answers_);
    store_ = std::make_unique<nv::library::LibraryStore>(Folder(), ui_);
    services_.Settings = &settings_;
    services_.Library = store_.get();
  }
  void TearDown() override {
    nv::widgets::InstallMessagePrompt(nullptr);
    LibraryFolder::TearDown();
  }
  std::filesystem::path MapFile() const { return std::filesystem::path(Folder()) / "DrumMap.ini"; }

  Answers answers_;
  library_fixture::RecordingUi ui_;
  std::unique_ptr<nv::library::LibraryStore> store_;
  nv::platform::IniFile settings_ = nv::platform::IniFile::FromText("/nonexistent/ProgramSetting.ini", "");
  DrumMapServices services_;
};

TEST_F(DrumMapDialog, AMissingFileShowsEveryRowWithTheDefaults) {
  TFDrumMap dialog(services_);
  DrumMapGrid& grid = *dialog.Grid();
  ASSERT_EQ(grid.RowCount(), 63);
  for (int row = 1; row <= dm::kRowCount; ++row) {
    EXPECT_EQ(grid.Cell(dm::kName, row), "");
    EXPECT_EQ(grid.Cell(dm::kHead, row), "255");
    EXPECT_EQ(grid.Cell(dm::kPos, row), "64");
    EXPECT_EQ(grid.Cell(dm::kUse, row), "0");
  }
  EXPECT_EQ(grid.Cell(dm::kPitch, 1), "Eb6");
  EXPECT_EQ(grid.Cell(dm::kPitch, 62), "D1");
}

TEST_F(DrumMapDialog, SaveWritesNamedRowsAndDeletesTheOthers) {
  library_fixture::WriteText(MapFile(), "[Drums]\nPitch40=Old,255,64,0\n");
  TFDrumMap dialog(services_);
  DrumMapGrid& grid = *dialog.Grid();
  EXPECT_EQ(grid.Cell(dm::kName, dm::RowOfPitch(40)), "Old");
  grid.SetCell(dm::kName, dm::RowOfPitch(40), "");
  grid.SetCell(dm::kName, dm::RowOfPitch(38), " Snare ");
  grid.SetCell(dm::kHead, dm::RowOfPitch(38), "3");
  grid.SetCell(dm::kPos, dm::RowOfPitch(38), "66");
  grid.SetCell(dm::kUse, dm::RowOfPitch(38), "1");
  dialog.SaveButton()->click();
  const nv::platform::IniFile saved(MapFile().string());
  EXPECT_EQ(saved.ReadString("Drums", "Pitch38", ""), "Snare,3,66,1");
  EXPECT_FALSE(saved.ValueExists("Drums", "Pitch40"));
  EXPECT_TRUE(dialog.isVisibleTo(nullptr) || !dialog.isVisible());
  EXPECT_TRUE(ui_.Log.empty());
}

TEST_F(DrumMapDialog, ANameWithACommaIsRefusedInTheCell) {
  TFDrumMap dialog(services_);
  EXPECT_FALSE(dialog.Grid()->AcceptsCellChar(dm::kName, 1, ','));
  EXPECT_TRUE(dialog.Grid()->AcceptsCellChar(dm::kName, 1, 'a'));
  // Should one reach the grid all the same, Save refuses it and writes nothing.
  dialog.Grid()->SetCell(dm::kName, 1, "a,b");
  EXPECT_FALSE(dialog.Save());
  ASSERT_EQ(answers_.texts.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(MapFile()));
}

TEST_F(DrumMapDialog, SavingWhereNoFileCanBeWrittenReportsTheFileAndTheReason) {
  // The library's folder gone: the write fails for root too.
  nv::library::LibraryStore gone((std::filesystem::path(Folder()) / "missing").string(), ui_);
  services_.Library = &gone;
  TFDrumMap dialog(services_);
  dialog.Grid()->SetCell(dm::kName, dm::RowOfPitch(38), "Snare");
  EXPECT_FALSE(dialog.Save());
  ASSERT_EQ(ui_.Log.size(), 1u);
  EXPECT_NE(ui_.Log[0].find("DrumMap.ini"), std::string::npos) << ui_.Log[0];
  EXPECT_EQ(dialog.Grid()->Cell(dm::kName, dm::RowOfPitch(38)), "Snare");
}

TEST_F(DrumMapDialog, SavingIntoAReadOnlyFolderReportsTheFileAndTheReasonAndKeepsTheFile) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  library_fixture::WriteText(MapFile(), "[Drums]\nPitch40=Old,255,64,0\n");
  std::filesystem::permissions(Folder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  TFDrumMap dialog(services_);
  dialog.Grid()->SetCell(dm::kName, dm::RowOfPitch(38), "Snare");
  EXPECT_FALSE(dialog.Save());
  ASSERT_EQ(ui_.Log.size(), 1u);
  EXPECT_NE(ui_.Log[0].find("DrumMap.ini"), std::string::npos);
  EXPECT_EQ(dialog.Grid()->Cell(dm::kName, dm::RowOfPitch(38)), "Snare");
  std::filesystem::permissions(Folder(), std::filesystem::perms::owner_all);
  EXPECT_EQ(library_fixture::ReadBytes(MapFile()).size(), std::string("[Drums]\nPitch40=Old,255,64,0\n").size());
}

TEST_F(DrumMapDialog, TestSoundsTheRowsPitchOnTheDrumChannelAfterProgramZero) {
  nv::platform::TestMidiPorts ports(nv::platform::TestMidiPorts::Mode::Null, {"Synth"}, {});
  nv::platform::QtUiThread ui;
  TMidiOutput output(ports, ui);
  struct NoTimer : nv::document::OneShotTimer {
    void Start(int, std::function<void()>) override {}
    void Stop() override {}
  } timer;
  nv::document::NotePreview preview(output, timer, [] { return false; });
  services_.TestSound = [&preview](int pitch) {
    preview.SoundNote(9, 0, pitch, nv::document::NotePreview::kSingle);
  };
  TFDrumMap dialog(services_);
  dialog.Grid()->SetCurrentCell(dm::kName, dm::RowOfPitch(38));
  dialog.TestButton()->click();
  std::vector<std::vector<std::uint8_t>> sent;
  for (const auto& call : ports.Calls())
    if (!call.Bytes.empty()) sent.push_back(call.Bytes);
  ASSERT_GE(sent.size(), 2u);
  // Program change 0 on channel 10: a two-byte message on the wire.
  EXPECT_EQ(sent.front(), (std::vector<std::uint8_t>{0xC9, 0x00}));
  EXPECT_EQ(sent.back(), (std::vector<std::uint8_t>{0x99, 38, 64}));
}

TEST_F(DrumMapDialog, ThePaletteFromTheGridPressesStandardForTwoFiftyFive) {
  std::vector<DrumStyleFace> faces(40, DrumStyleFace{QStringLiteral("D"), QStringLiteral("Drum")});
  TFChooseDrum wide(faces, false, {});
  EXPECT_EQ(wide.Client()->width(), 224);
  EXPECT_EQ(wide.ButtonOf(8)->geometry().topLeft(), QPoint(0, 27));
  EXPECT_EQ(wide.ButtonOf(8)->size(), QSize(26, 26));
  faces.resize(30);
  TFChooseDrum narrow(faces, true, {});
  EXPECT_EQ(narrow.Client()->width(), 120);
  narrow.SetCurrent(TFChooseDrum::kStandard);
  EXPECT_EQ(narrow.Current(), TFChooseDrum::kStandard);
  EXPECT_EQ(narrow.ButtonOf(TFChooseDrum::kStandard)->geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(narrow.ButtonOf(TFChooseDrum::kStandard)->toolTip(), "Standard");
  EXPECT_EQ(narrow.ButtonOf(0)->geometry().topLeft(), QPoint(0, 27));

  // The Head cell's ellipsis opens it pre-set from the cell; the choice goes in.
  store_->CreateDefaultDrumLibrary();
  TFDrumMap dialog(services_);
  dialog.show();
  DrumMapGrid& grid = *dialog.Grid();
  grid.SetCurrentCell(dm::kHead, 5);
  grid.EditButtonClicked();
  QPointer<TFChooseDrum> palette;
  for (QWidget* window : QApplication::topLevelWidgets())
    if (auto* open = qobject_cast<TFChooseDrum*>(window); open && open->isVisible()) palette = open;
  ASSERT_FALSE(palette.isNull());
  EXPECT_EQ(palette->Current(), TFChooseDrum::kStandard);
  QTest::mouseClick(palette->ButtonOf(4), Qt::LeftButton);
  EXPECT_EQ(grid.Cell(dm::kHead, 5), "4");
}

}  // namespace
}  // namespace nv::dialogs
