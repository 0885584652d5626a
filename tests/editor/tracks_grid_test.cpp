#include "editor/tracks_grid.h"

#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "document/command_registry.h"
#include "document/score_document.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"
#include "widgets/typed_editor.h"

namespace {

using nv::editor::SelectedTrack;
using nv::editor::TECTracksGrid;
using nv::editor::TracksModel;

// A shown grid over a document of two staves, the second with two rows.
struct Grid : ::testing::Test {
  Grid() {
    TECMusicScore& score = document.Score();
    score.SetLockUndo(true);
    while (score.InstrumentCount() < 2) score.AddInstrument();
    while (score.GetInstrumentAt(0)->GetRowCount() < 1) score.GetInstrumentAt(0)->AppendRow();
    while (score.GetInstrumentAt(1)->GetRowCount() < 2) score.GetInstrumentAt(1)->AppendRow();
    score.SetLockUndo(false);
    grid = std::make_unique<TECTracksGrid>(document, &window);
    grid->setGeometry(0, 0, 205, 200);
    window.resize(205, 200);
    window.show();
    QApplication::setActiveWindow(&window);
    grid->setFocus();
    grid->onSelectTrack = [this](const SelectedTrack& track) { selected.push_back(track); };
  }
  TECInstrument& Staff(int i) { return *document.Score().GetInstrumentAt(i); }
  int RowOf(const TECModelObject* stave) { return grid->Model().NodeOf(stave)->Row(); }
  void Click(int column, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(column, row).center());
  }
  void Type(int column, int row, const char* text) {
    Click(column, row);
    QTest::keyClick(&grid->Editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&grid->Editor(), Qt::Key_Delete);
    QTest::keyClicks(&grid->Editor(), text);
    QTest::keyClick(&grid->Editor(), Qt::Key_Return);
  }

  nv::document::ScoreDocument document;
  QWidget window;
  std::unique_ptr<TECTracksGrid> grid;
  std::vector<SelectedTrack> selected;
};

TEST_F(Grid, ShowsTheStavesAndTheirRowsWithTheirPictures) {
  EXPECT_EQ(grid->RowCount(), 1 + 2 + 3);
  EXPECT_EQ(grid->Tree().NodeByRow(RowOf(&Staff(1)))->imageIndex, 5);
  EXPECT_EQ(grid->Tree().NodeByRow(RowOf(Staff(1).GetRow(0)))->imageIndex, 6);
}

TEST_F(Grid, TypingNoneIntoAVolumeSetsItAndUndoBringsTheOldOneBack) {
  TECRow& row = *Staff(1).GetRow(1);
  Type(4, RowOf(&row), "80");
  ASSERT_EQ(row.Volume(), 80);
  // What is typed into one cell is one step.
  EXPECT_EQ(document.Score().UndoCount(), 1);
  Click(0, RowOf(&row));
  Type(4, RowOf(&row), "--");
  EXPECT_EQ(row.Volume(), -1);
  EXPECT_EQ(grid->CellText(4, RowOf(&row)), "--");
  Type(4, RowOf(&row), "abc");
  EXPECT_EQ(row.Volume(), -1);
  Click(0, RowOf(&row));
  document.Score().Undo(1);
  EXPECT_EQ(row.Volume(), 80);
  EXPECT_EQ(grid->CellText(4, RowOf(&row)), "80");
  document.Score().Undo(1);
  EXPECT_EQ(row.Volume(), -1);
  EXPECT_FALSE(document.Modified());
}

TEST_F(Grid, ADigitTooManyIsRefusedAndTheEditorShowsWhatTheRowKept) {
  TECRow& row = *Staff(1).GetRow(0);
  Type(4, RowOf(&row), "999");
  EXPECT_EQ(row.Volume(), 99);
  EXPECT_EQ(grid->Editor().text(), "99");
  EXPECT_EQ(grid->CellText(4, RowOf(&row)), "99");
}

TEST_F(Grid, ChoosingAGridRowMakesItsStaffAndRowActive) {
  document.Score().SetActiveInstrument(0);
  TECRow& row = *Staff(1).GetRow(1);
  Click(0, RowOf(&row));
  EXPECT_EQ(document.Score().GetActiveInstrument(), 1);
  EXPECT_EQ(document.Score().CurrentRow(), &row);
  ASSERT_EQ(selected.size(), 1u);
  EXPECT_EQ(selected[0].Row, &row);
  EXPECT_EQ(grid->Selection().Selected().Staff, &Staff(1));
  QTest::keyClick(grid.get(), Qt::Key_Up);
  EXPECT_EQ(grid->Selection().Selected().Row, Staff(1).GetRow(0));
  EXPECT_EQ(document.Score().CurrentRow(), Staff(1).GetRow(0));
}

TEST_F(Grid, TheProgramComesFromTheChooserAndAStaffIsOfferedNoNone) {
  std::vector<nv::dialogs::TimbreChoice> offered;
  grid->chooseTimbre = [&](const nv::dialogs::TimbreChoice& choice) -> std::optional<int> {
    offered.push_back(choice);
    return 40;
  };
  TECRow& row = *Staff(1).GetRow(0);
  row.SetName("");
  Click(1, RowOf(&row));
  grid->EditButtonClicked();
  EXPECT_EQ(row.MidiInstrument(), 40);
  EXPECT_EQ(grid->Tree().NodeByRow(RowOf(&row))->caption, "Violin");
  Click(1, RowOf(&Staff(0)));
  grid->EditButtonClicked();
  EXPECT_EQ(Staff(0).MidiInstrument(), 40);
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_FALSE(offered[0].HideNoAssign);
  EXPECT_TRUE(offered[1].HideNoAssign);
  document.Score().Undo(2);
  EXPECT_NE(row.MidiInstrument(), 40);
}

TEST_F(Grid, ACancelledChooserChangesNothing) {
  grid->chooseTimbre = [](const nv::dialogs::TimbreChoice&) -> std::optional<int> { return std::nullopt; };
  Click(1, RowOf(&Staff(0)));
  grid->EditButtonClicked();
  EXPECT_FALSE(document.Score().CanUndo());
}

TEST_F(Grid, TheVolumePopupOpensUnderTheCellAndUncheckingItShowsNone) {
  TECRow& row = *Staff(1).GetRow(1);
  Type(5, RowOf(&row), "30");
  ASSERT_EQ(row.Pan(), 30);
  Click(5, RowOf(&row));
  grid->EditButtonClicked();
  QPointer<nv::dialogs::TFVolumeBalance> popup = grid->VolumePopup();
  ASSERT_FALSE(popup.isNull());
  EXPECT_EQ(popup->Value(), 30);
  const QRect cell = grid->CellRect(5, RowOf(&row));
  const QPoint corner = grid->viewport()->mapToGlobal(cell.bottomRight() + QPoint(1, 1));
  EXPECT_EQ(popup->frameGeometry().topRight() + QPoint(1, 0), corner);
  QTest::mouseClick(popup->LockBox(), Qt::LeftButton);
  EXPECT_EQ(row.Pan(), -1);
  EXPECT_EQ(grid->CellText(5, RowOf(&row)), "--");
  popup->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(popup.isNull());
}

TEST_F(Grid, APopupWhoseRowWentChangesNothing) {
  TECRow& row = *Staff(1).GetRow(1);
  Click(4, RowOf(&row));
  grid->EditButtonClicked();
  ASSERT_NE(grid->VolumePopup(), nullptr);
  document.Score().DeleteInstrument(1);
  EXPECT_EQ(grid->RowCount(), 1 + 2);
  const int steps = document.Score().UndoCount();
  QTest::mouseClick(grid->VolumePopup()->LockBox(), Qt::LeftButton);
  EXPECT_EQ(document.Score().UndoCount(), steps);
  grid->VolumePopup()->close();
}

}  // namespace

namespace {

TEST_F(Grid, TheContextMenuHoldsTheRegisteredTrackCommands) {
  nv::document::CommandRegistry registry;
  int muted = 0;
  registry.Add({"staff.mute_all", "Mute all", 0, {}, [&](const auto&) { ++muted; }, {}, {}});
  registry.Add({"row.add", "Add row", 0, {}, [](const auto&) {}, {}, {}});
  grid->OpenMenu({10, 10});
  EXPECT_EQ(grid->Menu(), nullptr) << "no registry, no menu";
  grid->SetMenuCommands(&registry);
  grid->OpenMenu({10, 10});
  ASSERT_NE(grid->Menu(), nullptr);
  const QList<QAction*> actions = grid->Menu()->actions();
  ASSERT_EQ(actions.size(), 2);
  EXPECT_EQ(actions[0]->text(), "Add row");
  actions[1]->trigger();
  EXPECT_EQ(muted, 1);
  grid->Menu()->close();
}

}  // namespace
