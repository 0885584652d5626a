// Every note attribute code 0..255, put on a note through a pasted payload
// and through AddNoteEffect: either the score keeps it through save, load,
// undo and redo, or it is refused without a step. Nothing that a save then
// drops reaches the score.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "model/memory_stream.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;

namespace {

enum class Outcome { Kept, Refused };

std::string Name(Outcome outcome) { return outcome == Outcome::Kept ? "kept" : "refused"; }

bool HasAttribute(const TECMeasure& measure, int code) {
  return std::any_of(measure.Notes.begin(), measure.Notes.end(), [code](const auto& note) {
    return std::any_of(note->Attributes.begin(), note->Attributes.end(),
                       [code](const auto& attribute) { return attribute->Kind == code; });
  });
}

// Runs `change` on the fixture and tells what it did. A change that records
// a step must save and load back to the same bytes with `code` on a note of
// `measure` (any code when it is -1), and undo and redo must give the bytes before and after.
Outcome RunChange(EditFixture& f, int code, int measure, const std::function<void(TECMusicScore&)>& change) {
  const SavedScore before(f.score());
  const int steps = f.score().UndoCount();
  change(f.score());
  if (f.score().UndoCount() == steps) {
    EXPECT_EQ(SavedScore(f.score()), before) << "a refusal changed the score";
    return Outcome::Refused;
  }
  EXPECT_EQ(f.score().UndoCount(), steps + 1);
  const SavedScore after(f.score());
  TECMusicScore reloaded;
  MemoryStream stream(after.bytes);
  reloaded.LoadFromStream(stream);
  EXPECT_EQ(SavedScore(reloaded), after);
  if (code >= 0) {
    EXPECT_TRUE(HasAttribute(*reloaded.CurrentInstrument()->GetRow(0)->GetMeasure(measure), code))
        << "the file dropped the code";
  }
  f.score().Undo(1);
  EXPECT_EQ(SavedScore(f.score()), before);
  f.score().Redo(1);
  EXPECT_EQ(SavedScore(f.score()), after);
  return Outcome::Kept;
}

// A score file keeps these attributes on a note; 120 (grace notes) and the
// links 151, 152 carry more than an attribute record.
bool KeptOnANote(int code) { return code >= ek::Dot && code <= 128 && code != ek::GraceNotes; }

TEST(AttributeCodes, APastedNoteKeepsOnlyTheCodesAScoreFileKeeps) {
  // The payload of a quarter note with a staccato; its attribute record (an
  // i32 size of 8, then the code) gets each code in turn.
  EditFixture model(1, 2);
  TECNote* note = model.Note(0, 0, 1, 5, 32, 0);
  note->Attributes.push_back(MakeNoteAttribute(ek::Staccato, note));
  model.score().SelectElement(note, 0);
  MemoryStream copied;
  model.score().SaveSelectionToStream(copied);
  const std::vector<std::uint8_t> payload = copied.Data();
  const std::vector<std::uint8_t> record{8, 0, 0, 0, ek::Staccato};
  const auto at = std::search(payload.begin(), payload.end(), record.begin(), record.end());
  ASSERT_NE(at, payload.end());
  const auto codeAt = static_cast<std::size_t>(at - payload.begin()) + 4;

  for (int code = 0; code <= 255; ++code) {
    SCOPED_TRACE(code);
    EditFixture f(1, 2);
    f.score().ClearUndoLists();
    f.score().GoToMeasure(1);
    f.score().SetCursorPosition(0);
    std::vector<std::uint8_t> bytes = payload;
    bytes[codeAt] = static_cast<std::uint8_t>(code);
    // A pasted note is placed again at its length, which gives its dots.
    const bool dot = code == ek::Dot || code == ek::DoubleDot;
    const Outcome outcome = RunChange(f, dot ? -1 : code, 1, [&bytes](TECMusicScore& s) {
      MemoryStream in(bytes);
      s.LoadSelectionFromStream(in);
    });
    EXPECT_EQ(Name(outcome), Name(KeptOnANote(code) ? Outcome::Kept : Outcome::Refused));
  }
}

TEST(AttributeCodes, AddNoteEffectTakesOnlyTheEffectCodes) {
  for (int code = 0; code <= 255; ++code) {
    SCOPED_TRACE(code);
    EditFixture f(1, 1);
    TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
    f.score().ClearUndoLists();
    const int effect = code < 100 ? code + 100 : code;
    // 121, 122, 123 and 129 set the note's own bytes; the others are attributes.
    const bool option = effect == 121 || effect == 122 || effect == 123 || effect == 129;
    const Outcome outcome = RunChange(f, option ? -1 : effect, 0, [note, code](TECMusicScore& s) {
      s.AddNoteEffect(note, code, 1, 1);
    });
    const bool taken = (KeptOnANote(effect) || option);
    EXPECT_EQ(Name(outcome), Name(taken ? Outcome::Kept : Outcome::Refused));
  }
}

}  // namespace
