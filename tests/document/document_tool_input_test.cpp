#include "document/document_tool_input.h"

#include <gtest/gtest.h>

#include "document/program_settings.h"
#include "document/score_document.h"
#include "document/tool_state.h"
#include "document_fixture.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/note_records.h"
#include "model/row.h"
#include "tool_fakes.h"

namespace nv::document {
namespace {

class DocumentToolInputTest : public ::testing::Test {
 protected:
  TECMusicScore& score() { return document->Score(); }
  TECMeasure& Measure(int m) { return *score().CurrentInstrument()->GetRow(0)->GetMeasure(m); }

  std::unique_ptr<ScoreDocument> document = document_fixture::LoadedDocument();
  ProgramSettings settings;
  ToolState tools{settings};
  tool_fakes::ScriptedDialogs dialogs;
  tool_fakes::RecordingHost host;
  DocumentToolInput input{*document, tools, dialogs, host};
};

TEST_F(DocumentToolInputTest, ClickInsertsTheSharpenedQuarterAndUndoTakesItBack) {
  tools.Click("CBNote4");
  tools.Click("CBDiesis");
  score().GoToMeasure(1);
  ASSERT_TRUE(Measure(1).Notes.empty());
  document->Notices().ScoreClick(0);

  ASSERT_EQ(Measure(1).Notes.size(), 1u);
  const TECNote& note = *Measure(1).Notes.front();
  EXPECT_EQ(note.Kind, ek::NoteC);
  EXPECT_EQ(note.Octave, 5);
  EXPECT_EQ(note.Value, 32);
  ASSERT_FALSE(note.Attributes.empty());
  EXPECT_EQ(note.Attributes.front()->Kind, ek::Sharp);
  ASSERT_EQ(host.Previews.size(), 1u);
  EXPECT_EQ(host.Previews[0][0], 61);
  EXPECT_TRUE(document->Modified());

  score().Undo(1);
  EXPECT_TRUE(Measure(1).Notes.empty());
  EXPECT_FALSE(document->Modified());
}

TEST_F(DocumentToolInputTest, SlurJoinsTwoClickedNotes) {
  tools.Click("CBLigaUp");
  document->Notices().NoteClick(document_fixture::NoteAt(score(), 0), 0);
  document->Notices().NoteClick(document_fixture::NoteAt(score(), 64), 0);
  EXPECT_EQ(score().UndoCount(), 1);
  EXPECT_EQ(input.Inserter().PendingSlurNote(), nullptr);
}

// The first note of a slur is freed when an undo restores its measure; the
// second click must not link it.
TEST_F(DocumentToolInputTest, UndoBetweenTheSlurClicksLinksNothing) {
  document_fixture::RaiseE(score());
  tools.Click("CBLigaUp");
  document->Notices().NoteClick(document_fixture::NoteAt(score(), 0), 0);
  ASSERT_NE(input.Inserter().PendingSlurNote(), nullptr);
  score().Undo(1);
  EXPECT_EQ(input.Inserter().PendingSlurNote(), nullptr);
  document->Notices().NoteClick(document_fixture::NoteAt(score(), 64), 0);
  EXPECT_EQ(score().UndoCount(), 0);
  EXPECT_EQ(input.Inserter().PendingSlurNote(), document_fixture::NoteAt(score(), 64));
}

}  // namespace
}  // namespace nv::document
