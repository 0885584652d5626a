#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "editing/note_clipboard.h"
#include "editing/paste_carry.h"
#include "formats/clipboard_payload.h"
#include "model/measure_items.h"
#include "model/memory_stream.h"
#include "model/score_builder.h"
#include "model/symbols_row.h"
#include "platform/clipboard.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;
using edit_harness::RunStep;
using edit_harness::StepExpect;
using nv::editing::CarryTick;
using nv::editing::MeasureTick;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Every test starts with an empty clipboard of its own.
class NoteClipboard : public ::testing::Test {
 protected:
  NoteClipboard() { nv::platform::installClipboard(&clipboard); }
  ~NoteClipboard() override { nv::platform::installClipboard(nullptr); }
  nv::platform::MemoryClipboard clipboard;
};

void SelectAll(TECMusicScore& score, const std::vector<TECElement*>& elements) {
  for (TECElement* element : elements) ASSERT_TRUE(score.SelectElement(element, 0));
}

Bytes Payload(const TECMusicScore& score) {
  MemoryStream stream;
  score.SaveSelectionToStream(stream);
  return stream.Data();
}

bool Paste(TECMusicScore& score, const Bytes& payload) {
  MemoryStream stream(payload);
  return score.LoadSelectionFromStream(stream);
}

const TECNote* NoteAt(const TECMeasure& measure, int kind, int octave, int start) {
  for (const auto& note : measure.Notes)
    if (note->Kind == kind && note->Octave == octave && note->Start == start) return note.get();
  return nullptr;
}

std::size_t SelectedCount(const TECMusicScore& score) {
  std::size_t n = 0;
  for (const TECSelected& entry : score.Selection) n += entry.Elements.size();
  return n;
}

TEST_F(NoteClipboard, MeasuresFiveAndSixPasteAtMeasureTwoTick64ShiftedAndCarried) {
  EditFixture f(1, 8);
  TECNote* c = f.Note(0, 5, 1, 5, 32, 0);    // C5 quarter at 0: the base time
  TECNote* e = f.Note(0, 5, 3, 5, 32, 96);   // E5 at 96
  TECNote* g = f.Note(0, 6, 5, 5, 32, 32);   // G5 at 32 of measure 6
  SelectAll(f.score(), {c, e, g});
  const Bytes payload = Payload(f.score());

  MemoryStream read(payload);
  const ClipboardPayload parsed = ReadClipboardPayload(read);
  EXPECT_EQ(parsed.Kind, clipboard_kind::Row);
  EXPECT_EQ(parsed.BaseTime, 0);
  ASSERT_EQ(parsed.Entries.size(), 2u);
  EXPECT_EQ(parsed.Entries[0].Measure, 0);
  EXPECT_EQ(parsed.Entries[1].Measure, 1);

  f.score().GoToMeasure(2);
  f.score().SetCursorPosition(64);
  RunStep(f, {"paste at measure 2, tick 64", nullptr, [&](TECMusicScore& s) { EXPECT_TRUE(Paste(s, payload)); },
              StepExpect::Recorded(undo_kind::Paste)});
  // Undo leaves the cursor where the restored music allows.
  f.score().GoToMeasure(2);
  f.score().SetCursorPosition(64);
  ASSERT_TRUE(Paste(f.score(), payload));
  // Each moves by 64 - 0: C to 64 of measure 2; E to 160, carried to 32 of
  // measure 3; G (relative measure 1) to 96 of measure 3.
  EXPECT_NE(NoteAt(f.measure(2), 21, 5, 64), nullptr);
  EXPECT_NE(NoteAt(f.measure(3), 23, 5, 32), nullptr);
  EXPECT_NE(NoteAt(f.measure(3), 25, 5, 96), nullptr);
  EXPECT_EQ(SelectedCount(f.score()), 3u);
  EXPECT_EQ(f.score().SelectedRow, &f.row());
}

TEST_F(NoteClipboard, ABaseTimeComesFromTheEarliestElementOfTheLowestMeasure) {
  EditFixture f(1, 4);
  // A rest before the notes counts, or it would land before the cursor.
  TECRest* rest = f.Rest(0, 1, 32, 0);
  TECNote* note = f.Note(0, 1, 1, 5, 32, 64);
  TECNote* later = f.Note(0, 2, 2, 5, 32, 0);
  SelectAll(f.score(), {later, note, rest});
  MemoryStream read(Payload(f.score()));
  const ClipboardPayload parsed = ReadClipboardPayload(read);
  EXPECT_EQ(parsed.BaseTime, 0);
  ASSERT_EQ(parsed.Entries.size(), 2u);
  EXPECT_EQ(parsed.Entries[0].Measure, 1);  // in selection order
  EXPECT_EQ(parsed.Entries[1].Measure, 0);
}

TEST_F(NoteClipboard, APastedTextObjectMovesTenUnitsRightAndDownOnTheActivePage) {
  EditFixture f(1, 4);
  TECPageText* text = f.instrument().AddPageText(100, 200, {"Allegro"}, "Arial", 12, 0, 0);
  TECPageLine* line = f.instrument().AddPageLine(1100, 1200, 1300, 1250, 1, 0, 0);
  f.score().ClearUndoLists();
  const std::array<int, 4> ends{line->X1, line->Y1, line->X2, line->Y2};
  SelectAll(f.score(), {text, line});
  const Bytes payload = Payload(f.score());
  RunStep(f, {"paste two page objects", nullptr, [&](TECMusicScore& s) { EXPECT_TRUE(Paste(s, payload)); },
              StepExpect::Recorded(undo_kind::Paste)});
  ASSERT_TRUE(Paste(f.score(), payload));
  const auto& objects = f.instrument().TextsRow().Objects;
  ASSERT_EQ(objects.size(), 4u);
  // Before the first object of the active page, in their copied order.
  const auto& pastedText = static_cast<const TECPageText&>(*objects[0]);
  const auto& pastedLine = static_cast<const TECPageLine&>(*objects[1]);
  EXPECT_EQ(pastedText.X, 110);
  EXPECT_EQ(pastedText.Y, 210);
  EXPECT_EQ(pastedText.Lines, std::vector<std::string>{"Allegro"});
  EXPECT_EQ(pastedLine.X1, ends[0] + 10);
  EXPECT_EQ(pastedLine.Y1, ends[1] + 10);
  EXPECT_EQ(pastedLine.X2, ends[2] + 10);
  EXPECT_EQ(pastedLine.Y2, ends[3] + 10);
  EXPECT_EQ(f.score().SelectedRow, &f.instrument().TextsRow());
  EXPECT_EQ(SelectedCount(f.score()), 2u);
}

TEST_F(NoteClipboard, SymbolsRowItemsPasteAtTheCursorMeasure) {
  EditFixture f(1, 6);
  f.score().GoToMeasure(1);
  f.instrument().AddSymbol(ek::SymbolSegno, 0, 0);
  f.instrument().AddTempoMark(32, 96);
  f.score().ClearUndoLists();
  TECSymbolEntry* entry = f.instrument().SymbolsRow().At(1);
  ASSERT_EQ(entry->Items.size(), 2u);
  SelectAll(f.score(), {entry->Items[0].get(), entry->Items[1].get()});
  const Bytes payload = Payload(f.score());
  f.score().GoToMeasure(4);
  RunStep(f, {"paste symbols", nullptr, [&](TECMusicScore& s) { EXPECT_TRUE(Paste(s, payload)); },
              StepExpect::Recorded(undo_kind::Paste)});
  ASSERT_TRUE(Paste(f.score(), payload));
  const TECSymbolEntry* pasted = f.instrument().SymbolsRow().At(4);
  ASSERT_NE(pasted, nullptr);
  ASSERT_EQ(pasted->Items.size(), 2u);
  EXPECT_EQ(pasted->Items[0]->Kind, ek::SymbolSegno);
  EXPECT_EQ(pasted->Items[1]->Kind, ek::TempoMark);
  EXPECT_EQ(pasted->Items[1]->Tempo(), entry->Items[1]->Tempo());
}

TEST_F(NoteClipboard, CutInPreviewPagesDoesNothing) {
  EditFixture f(1, 4);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  SelectAll(f.score(), {note});
  f.score().SetStyle(TScoreStyle::ssPreviewPages);
  RunStep(f, {"cut in preview pages", nullptr, [](TECMusicScore& s) { EXPECT_FALSE(s.CutToClipboard()); },
              StepExpect::Refused()});
  EXPECT_FALSE(clipboard.HasFormat(TVORadizClipboard::kFormat));
  EXPECT_FALSE(f.score().CopyToClipboard());
  EXPECT_FALSE(clipboard.HasFormat(TVORadizClipboard::kFormat));
}

TEST_F(NoteClipboard, CutCopiesThenDeletesAndPasteBringsItBack) {
  EditFixture f(1, 4);
  TECNote* note = f.Note(0, 1, 4, 5, 32, 32);
  SelectAll(f.score(), {note});
  EXPECT_TRUE(f.score().CanCopy());
  EXPECT_TRUE(f.score().CanArrange());
  EXPECT_FALSE(f.score().CanPaste());
  RunStep(f, {"cut", nullptr, [](TECMusicScore& s) { EXPECT_TRUE(s.CutToClipboard()); },
              StepExpect::Recorded(undo_kind::DeleteSelection)});
  SelectAll(f.score(), {f.measure(1).Notes.front().get()});
  ASSERT_TRUE(f.score().CutToClipboard());
  // The emptied measures at the row's end went with it.
  EXPECT_EQ(f.row().GetMeasure(1), nullptr);
  EXPECT_TRUE(f.score().CanPaste());
  f.score().GoToMeasure(1);
  f.score().SetCursorPosition(32);
  EventRecorder events(f.score());
  EXPECT_TRUE(f.score().PasteFromClipboard());
  EXPECT_GE(events.changed, 1);
  EXPECT_NE(NoteAt(f.measure(1), 24, 5, 32), nullptr);
}

TEST_F(NoteClipboard, AClipboardThatRefusesTheDataLeavesTheSelectionOnCut) {
  EditFixture f(1, 4);
  TECNote* note = f.Note(0, 0, 1, 5, 32, 0);
  SelectAll(f.score(), {note});
  clipboard.RefuseNextSet = true;
  RunStep(f, {"cut refused by the clipboard", nullptr, [](TECMusicScore& s) { EXPECT_FALSE(s.CutToClipboard()); },
              StepExpect::Refused()});
  EXPECT_FALSE(f.score().CanPaste());
}

TEST_F(NoteClipboard, WithoutAnInstalledClipboardNothingIsCopiedOrPasted) {
  nv::platform::installClipboard(nullptr);
  EditFixture f(1, 4);
  SelectAll(f.score(), {f.Note(0, 0, 1, 5, 32, 0)});
  EXPECT_FALSE(f.score().CopyToClipboard());
  EXPECT_FALSE(f.score().CanPaste());
  EXPECT_FALSE(f.score().PasteFromClipboard());
}

// A row with a bit of everything a row payload carries, entered as the
// insertion enters it.
struct Music {
  explicit Music(EditFixture& f) {
    c = f.Enter(0, 0, 0, 1, 5, 32);
    e = f.Enter(0, 0, 32, 3, 5, 48);
    staccato = score_builder::AddAttribute(*e, ek::Staccato);
    sharp = score_builder::AddAttribute(*f.Enter(0, 0, 96, 4, 5, 32), ek::Sharp);
    tiedFrom = f.Enter(0, 1, 64, 5, 5, 64);
    tiedTo = f.Enter(0, 2, 0, 5, 5, 32);
    LinkNotes(tiedFrom, tiedTo, ek::LinkAbove);
    TECMeasure& m1 = f.measure(1);
    m1.Items.push_back(MakeMeasureItem(160, &m1));
    m1.Items.back()->Position = 64;
    m1.Clef = std::make_unique<TECClef>(2, &m1);
    m1.KeySignature = std::make_unique<TECKeySignature>(42, &m1);
    f.score().ClearUndoLists();
  }
  TECNote *c, *e, *tiedFrom, *tiedTo;
  TECNoteAttribute *staccato, *sharp;
};

// Notes, items, clef and key of every measure of row 0.
std::vector<TECElement*> Everything(EditFixture& f) {
  std::vector<TECElement*> all;
  for (const auto& measure : f.row().Measures()) {
    if (measure->Clef) all.push_back(measure->Clef.get());
    if (measure->KeySignature) all.push_back(measure->KeySignature.get());
    for (const auto& note : measure->Notes) all.push_back(note.get());
    for (const auto& item : measure->Items) all.push_back(item.get());
  }
  return all;
}

TEST_F(NoteClipboard, CopyingEverythingIntoAnEmptyScoreGivesTheSameDump) {
  EditFixture from(1, 3);
  Music music(from);
  SelectAll(from.score(), Everything(from));
  ASSERT_TRUE(from.score().CopyToClipboard());
  EditFixture to(1, 3);
  to.score().GoToMeasure(0);
  to.score().SetCursorPosition(0);
  ASSERT_TRUE(to.score().PasteFromClipboard());
  from.score().LayoutScore(0, false);
  to.score().LayoutScore(0, false);
  EXPECT_EQ(SavedScore(to.score()), SavedScore(from.score()));
  const TECNote* tied = NoteAt(to.measure(2), 25, 5, 0);
  ASSERT_NE(tied, nullptr);
  ASSERT_EQ(tied->Attributes.size(), 1u);
  EXPECT_EQ(static_cast<const TECLinkAttribute&>(*tied->Attributes[0]).Partner, NoteAt(to.measure(1), 25, 5, 64));
}

TEST_F(NoteClipboard, PasteThenUndoGivesBackTheBytesFromBefore) {
  EditFixture f(1, 6);
  Music music(f);
  SelectAll(f.score(), Everything(f));
  const Bytes payload = Payload(f.score());
  f.score().GoToMeasure(2);
  f.score().SetCursorPosition(96);
  RunStep(f, {"paste over music", nullptr, [&](TECMusicScore& s) { EXPECT_TRUE(Paste(s, payload)); },
              StepExpect::Recorded(undo_kind::Paste)});
}

// A payload of two notes of measures 0 and 1, laid out byte by byte.
struct HandPayload {
  HandPayload() {
    U16(clipboard_kind::Row);
    I32(0);  // base time
    U16(2);
    I32(0);
    I32(1);
    Entry(0, 0);
    Entry(1, 32);
  }
  void U16(std::uint16_t v) { bytes.insert(bytes.end(), {std::uint8_t(v), std::uint8_t(v >> 8)}); }
  void I32(std::int32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(std::uint8_t(std::uint32_t(v) >> (8 * i)));
  }
  void Entry(std::int32_t measure, std::uint16_t start) {
    I32(measure);
    U16(1);
    TECNote note(ek::NoteC);
    note.Octave = 5;
    note.Value = note.Length = 32;
    note.Position = note.Start = start;
    std::array<std::uint8_t, TECNote::StoredSize> record{};
    note.Store(record);
    I32(TECNote::StoredSize);
    bytes.insert(bytes.end(), record.begin(), record.end());
    U16(0);  // attributes
  }
  static void PutI32Into(Bytes& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(std::uint32_t(v) >> (8 * i));
  }
  Bytes bytes;
  // Offsets of the fields the damage table changes.
  static constexpr std::size_t kBase = 2, kFirstList = 8, kSecondList = 16, kFirstSize = 22;
};

struct Damage {
  std::string name;
  std::function<void(Bytes&)> apply;
};

class MalformedPayload : public NoteClipboard, public ::testing::WithParamInterface<Damage> {};

TEST_P(MalformedPayload, PastesNothingAndLeavesTheScoreAsItWas) {
  EditFixture f(1, 4);
  f.Note(0, 0, 3, 5, 32, 0);
  HandPayload hand;
  ASSERT_TRUE(Paste(f.score(), hand.bytes)) << "the undamaged payload";
  f.score().Undo(1);
  f.score().ClearUndoLists();
  GetParam().apply(hand.bytes);
  RunStep(f, {GetParam().name, nullptr, [&](TECMusicScore& s) { EXPECT_FALSE(Paste(s, hand.bytes)); },
              StepExpect::Refused()});
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedPayload,
    ::testing::Values(
        Damage{"RelativeIndex2To31",
               [](Bytes& b) { HandPayload::PutI32Into(b, HandPayload::kFirstList + 4, INT32_MIN); }},
        Damage{"RelativeIndexMinus1", [](Bytes& b) { HandPayload::PutI32Into(b, HandPayload::kFirstList, -1); }},
        Damage{"RelativeIndexPast10000",
               [](Bytes& b) { HandPayload::PutI32Into(b, HandPayload::kFirstList, 10001); }},
        Damage{"SizePastTheEnd", [](Bytes& b) { HandPayload::PutI32Into(b, HandPayload::kFirstSize, 1 << 20); }},
        Damage{"NegativeSize", [](Bytes& b) { HandPayload::PutI32Into(b, HandPayload::kFirstSize, -23); }},
        Damage{"EntryListsDisagree", [](Bytes& b) { HandPayload::PutI32Into(b, HandPayload::kSecondList, 1); }},
        Damage{"NegativeBaseTime", [](Bytes& b) { HandPayload::PutI32Into(b, HandPayload::kBase, -1); }},
        Damage{"Truncated", [](Bytes& b) { b.pop_back(); }},
        Damage{"UnknownElementKind", [](Bytes& b) { b[HandPayload::kFirstSize + 4] = 60; }},
        Damage{"TimeSignatureOfNoTicks",
               [](Bytes& b) {
                 // The first note becomes a time-signature record of 0/4.
                 const std::size_t record = HandPayload::kFirstSize + 4;
                 std::fill_n(b.begin() + record, TECNote::StoredSize, 0);
                 b[record] = ek::TimeSignature;
                 b[record + 2] = 4;
               }},
        Damage{"UnknownPayloadKind", [](Bytes& b) { b[0] = 253; }}),
    [](const ::testing::TestParamInfo<Damage>& info) { return info.param.name; });

TEST_F(NoteClipboard, EveryTruncationOfAPayloadPastesNothing) {
  EditFixture f(1, 4);
  Music music(f);
  SelectAll(f.score(), Everything(f));
  const Bytes payload = Payload(f.score());
  f.score().ClearSelection();
  f.score().LayoutScore(0, false);
  const SavedScore before(f.score());
  for (std::size_t n = 0; n < payload.size(); ++n) {
    EXPECT_FALSE(Paste(f.score(), Bytes(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(n))))
        << n << " bytes";
  }
  EXPECT_EQ(f.score().UndoCount(), 0);
  EXPECT_EQ(SavedScore(f.score()), before);
}

TEST(PasteCarry, CarriesByTheMeasureLengthsAndStopsAtTheStart) {
  const auto lengths = [](int m) { return m == 0 ? 32 : 128; };
  EXPECT_EQ(CarryTick(2, 160, lengths, 100), (MeasureTick{3, 32}));
  EXPECT_EQ(CarryTick(2, 300, lengths, 100), (MeasureTick{4, 44}));
  EXPECT_EQ(CarryTick(2, -10, lengths, 100), (MeasureTick{1, 118}));
  EXPECT_EQ(CarryTick(1, -10, lengths, 100), (MeasureTick{0, 22}));
  EXPECT_EQ(CarryTick(1, -200, lengths, 100), (MeasureTick{0, 0}));
  EXPECT_EQ(CarryTick(3, 0, lengths, 100), (MeasureTick{3, 0}));
}

TEST(PasteCarry, RefusesToCrossAMeasureOfNoTicksOrToPassTheLimit) {
  const auto zeroAtThree = [](int m) { return m == 3 ? 0 : 128; };
  EXPECT_EQ(CarryTick(2, 200, zeroAtThree, 100), std::nullopt);
  EXPECT_EQ(CarryTick(4, -10, zeroAtThree, 100), std::nullopt);
  EXPECT_EQ(CarryTick(2, 100, zeroAtThree, 100), (MeasureTick{2, 100}));
  EXPECT_EQ(CarryTick(99, 300, zeroAtThree, 100), std::nullopt);
}

}  // namespace
