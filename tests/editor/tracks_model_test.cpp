#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "document/score_document.h"
#include "editor/tracks_model.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace {

using nv::editor::ParseTrackValue;
using nv::editor::TracksModel;
using nv::widgets::PropertyNode;
using nv::widgets::PropertyTree;
using nv::widgets::PropertyValue;

// A document of two staves: the first with one row, the second with two.
struct Tracks {
  Tracks() {
    TECMusicScore& score = document.Score();
    score.SetLockUndo(true);
    while (score.InstrumentCount() < 2) score.AddInstrument();
    first = score.GetInstrumentAt(0);
    second = score.GetInstrumentAt(1);
    while (first->GetRowCount() < 1) first->AppendRow();
    while (second->GetRowCount() < 2) second->AppendRow();
    score.SetLockUndo(false);
    model = std::make_unique<TracksModel>(document, tree);
  }
  PropertyNode& Node(const TECModelObject* stave) const {
    PropertyNode* node = model->NodeOf(stave);
    EXPECT_NE(node, nullptr);
    return *node;
  }
  std::string Cell(const TECModelObject* stave, int value) const { return tree.CellText(value + 1, Node(stave).Row()); }
  // Typing `text` into a value cell of the stave's node.
  void Type(const TECModelObject* stave, int value, const std::string& text) {
    tree.StoreCellText(value + 1, Node(stave).Row(), text);
  }

  nv::document::ScoreDocument document;
  PropertyTree tree;
  TECInstrument* first = nullptr;
  TECInstrument* second = nullptr;
  std::unique_ptr<TracksModel> model;
};

TEST(TrackValues, CellTextsReadAsNothingNoneOrANumber) {
  const struct {
    const char* text;
    std::optional<int> value;
  } cases[] = {{"", std::nullopt},
               {"  ", std::nullopt},
               {"abc", std::nullopt},
               {"12x", std::nullopt},
               {"--", -1},
               {"-", -1},
               {"0", 0},
               {" 64 ", 64},
               {"999", 999},
               {"-5", -5},
               {"1.5", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ParseTrackValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(TracksModel, ShowsEveryStaffWithItsRowsInOrder) {
  Tracks t;
  EXPECT_EQ(t.tree.RowCount(), 1 + 2 + 3);
  EXPECT_EQ(t.Node(t.first).Row(), 1);
  EXPECT_EQ(t.Node(t.first->GetRow(0)).Row(), 2);
  EXPECT_EQ(t.Node(t.second).Row(), 3);
  EXPECT_EQ(t.Node(t.second->GetRow(1)).Row(), 5);
  EXPECT_EQ(t.Node(t.second->GetRow(1)).Parent(), &t.Node(t.second));
  ASSERT_EQ(t.tree.columns.size(), 6u);
  EXPECT_EQ(t.tree.columns[4].hint, "Volume");
  EXPECT_EQ(t.tree.columns[2].dropDownList.back(), "16");
}

TEST(TracksModel, CaptionsFallBackToTheProgramsName) {
  Tracks t;
  t.document.Score().SetLockUndo(true);
  t.first->SetMidiInstrument(0);
  t.second->SetMidiInstrument(40);
  t.second->SetName("Solo");
  TECRow& none = *t.second->GetRow(0);
  none.SetMidiInstrument(-1);
  TECRow& violin = *t.second->GetRow(1);
  violin.SetMidiInstrument(40);
  EXPECT_EQ(t.Node(t.first).caption, "Acoustic Grand Piano");
  EXPECT_EQ(t.Node(t.second).caption, "Solo");
  EXPECT_EQ(t.Node(&none).caption, "Row");
  EXPECT_EQ(t.Cell(&none, TracksModel::kProgram), "--");
  EXPECT_EQ(t.Node(&violin).caption, "Violin");
  violin.SetName("First");
  EXPECT_EQ(t.Node(&violin).caption, "First");
}

TEST(TracksModel, TypedValuesGoToTheRowAndTheCellShowsWhatItKept) {
  Tracks t;
  TECRow& row = *t.second->GetRow(1);
  t.Type(&row, TracksModel::kVolume, "90");
  EXPECT_EQ(row.Volume(), 90);
  const struct {
    const char* text;
    int volume;
    const char* shown;
  } cases[] = {{"", 90, "90"},   {"abc", 90, "90"}, {"999", 90, "90"},
               {"--", -1, "--"}, {"50", 50, "50"},  {"-", -1, "--"}};
  for (const auto& c : cases) {
    t.Type(&row, TracksModel::kVolume, c.text);
    EXPECT_EQ(row.Volume(), c.volume) << c.text;
    EXPECT_EQ(t.Cell(&row, TracksModel::kVolume), c.shown) << c.text;
  }
  t.Type(&row, TracksModel::kPan, "10");
  t.Type(&row, TracksModel::kChannel, "5");
  t.Type(&row, TracksModel::kChannel, "17");
  EXPECT_EQ(row.Pan(), 10);
  EXPECT_EQ(row.Channel(), 5);
  EXPECT_EQ(t.Cell(&row, TracksModel::kChannel), "5");
}

TEST(TracksModel, ProgramsOutsideTheMidiRangeAreRefused) {
  Tracks t;
  TECRow& row = *t.second->GetRow(0);
  t.Type(&row, TracksModel::kProgram, "33");
  EXPECT_EQ(row.MidiInstrument(), 33);
  t.Type(&row, TracksModel::kProgram, "128");
  t.Type(&row, TracksModel::kProgram, "-2");
  EXPECT_EQ(row.MidiInstrument(), 33);
  t.Type(&row, TracksModel::kProgram, "--");
  EXPECT_EQ(row.MidiInstrument(), -1);
  // A staff always has a program.
  const int program = t.first->MidiInstrument();
  t.Type(t.first, TracksModel::kProgram, "--");
  EXPECT_EQ(t.first->MidiInstrument(), program);
  EXPECT_EQ(t.Cell(t.first, TracksModel::kProgram), std::to_string(program));
}

TEST(TracksModel, AnEditIsUndoneAndRedoneAndTheCellFollows) {
  Tracks t;
  TECRow& row = *t.second->GetRow(1);
  const int before = row.Volume();
  EXPECT_FALSE(t.document.Modified());
  t.Type(&row, TracksModel::kVolume, "100");
  t.tree.ClickBoolean(t.Node(t.first), TracksModel::kMute);
  EXPECT_TRUE(t.first->Mute());
  EXPECT_TRUE(t.document.Modified());
  ASSERT_EQ(t.document.Score().UndoCount(), 2);

  t.document.Score().Undo(1);
  EXPECT_FALSE(t.first->Mute());
  EXPECT_EQ(t.Node(t.first).Value(TracksModel::kMute), PropertyValue(false));
  t.document.Score().Undo(1);
  EXPECT_EQ(row.Volume(), before);
  EXPECT_EQ(t.Cell(&row, TracksModel::kVolume), before < 0 ? "--" : std::to_string(before));
  EXPECT_FALSE(t.document.Modified());

  t.document.Score().Redo(1);
  EXPECT_EQ(row.Volume(), 100);
  EXPECT_EQ(t.Cell(&row, TracksModel::kVolume), "100");
}

TEST(TracksModel, SelectingARowNodeMakesItsStaffAndRowActive) {
  Tracks t;
  TECMusicScore& score = t.document.Score();
  score.SetActiveInstrument(0);
  TECRow& row = *t.second->GetRow(1);
  t.model->SelectRow(t.Node(&row).Row());
  EXPECT_EQ(score.GetActiveInstrument(), 1);
  EXPECT_EQ(score.CurrentRow(), &row);
  EXPECT_EQ(t.model->Selected().Staff, t.second);
  EXPECT_EQ(t.model->Selected().Row, &row);
  // The score's own choice shows in the grid.
  score.SetActiveInstrument(0);
  EXPECT_EQ(t.model->Selected().Staff, t.first);
  t.model->SelectRow(t.Node(t.first).Row());
  EXPECT_EQ(t.model->Selected().Row, nullptr);
}

TEST(TracksModel, DeletingAStaffTakesItsRowNodesWithIt) {
  Tracks t;
  TECMusicScore& score = t.document.Score();
  t.second->AddRow(false);
  ASSERT_EQ(t.second->GetRowCount(), 3);
  EXPECT_EQ(t.tree.RowCount(), 1 + 2 + 4);
  TECRow* gone = t.second->GetRow(2);
  score.DeleteInstrument(1);
  EXPECT_EQ(t.tree.RowCount(), 1 + 2);
  EXPECT_EQ(t.model->NodeOf(t.second), nullptr);
  EXPECT_EQ(t.model->NodeOf(gone), nullptr);
  // Late events about the freed rows find no node (and read nothing of them).
  t.document.Notices().StaveChanged(TECStaveOperation::soDestroyed, gone);
  t.document.Notices().StaveChanged(TECStaveOperation::soChanged, gone);
  EXPECT_EQ(t.tree.RowCount(), 1 + 2);
  // Undo brings the staff back with its rows.
  score.Undo(1);
  ASSERT_EQ(score.InstrumentCount(), 2);
  EXPECT_EQ(t.tree.RowCount(), 1 + 2 + 4);
  EXPECT_NE(t.model->NodeOf(score.GetInstrumentAt(1)->GetRow(2)), nullptr);
}

TEST(TracksModel, RowsAddedMovedAndDeletedKeepTheirNodesInPlace) {
  Tracks t;
  TECRow* added = t.first->AddRow(false);
  EXPECT_EQ(t.Node(added).Parent(), &t.Node(t.first));
  EXPECT_EQ(t.Node(t.second).Row(), 4);
  t.first->DeleteRow(0);
  EXPECT_EQ(t.Node(added).Row(), 2);
  EXPECT_EQ(t.tree.RowCount(), 1 + 2 + 3);
  t.second->SetActiveRow(1);
  TECRow* lower = t.second->GetRow(1);
  t.second->MoveActiveRow(-1);
  ASSERT_EQ(t.second->GetRow(0), lower);
  EXPECT_EQ(t.Node(lower).Row(), t.Node(t.second).Row() + 1);
}

TEST(TracksModel, ALoadedScoreGetsNewNodes) {
  Tracks t;
  TECMusicScore& score = t.document.Score();
  // As a load does: the staves change without a word, then one Changed.
  score.OnStaveChanged = nullptr;
  score.DeleteInstrument(1);
  score.AddInstrument()->AppendRow();
  t.document.Notices().Changed();
  EXPECT_EQ(t.tree.RowCount(), 1 + 2 + 1 + (score.GetInstrumentAt(1)->GetRowCount()));
  EXPECT_NE(t.model->NodeOf(score.GetInstrumentAt(1)), nullptr);
}

}  // namespace
