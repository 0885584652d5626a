#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editing/key_commands.h"
#include "editing/note_clipboard.h"
#include "model/measure_items.h"
#include "platform/clipboard.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;

namespace {

// Two rows of four measures; row 0 opens with C, E and G quarters at ticks
// 0, 32 and 64; the cursor stands on the E.
struct KeyFixture {
  KeyFixture() {
    f.Note(0, 0, 1, 5, 32, 0);
    f.Note(0, 0, 3, 5, 32, 32);
    f.Note(0, 0, 5, 5, 32, 64);
    f.Paint();
    f.score().SetCursorPosition(32);
  }
  TECMusicScore& s() { return f.score(); }
  TECMeasure& first() { return f.measure(0); }
  TECNote* NoteAt(int start) {
    for (const auto& n : first().Notes)
      if (n->Start == start) return n.get();
    return nullptr;
  }
  std::vector<int> Kinds() {
    std::vector<int> kinds;
    for (int start : {0, 32, 64})
      if (TECNote* n = NoteAt(start)) kinds.push_back(n->Kind);
    return kinds;
  }
  void Select(TECElement* element) { s().SelectElement(element, 0); }
  // A measure item of row 0, measure 0, selected.
  TECMeasureItem* Item(int kind, int position, int second) {
    first().Items.push_back(MakeMeasureItem(static_cast<std::uint8_t>(kind), &first()));
    TECMeasureItem* item = first().Items.back().get();
    item->Position = static_cast<std::uint16_t>(position);
    item->Second = static_cast<std::uint16_t>(second);
    f.Paint();
    Select(item);
    return item;
  }
  TECMeasureItem* LastItem() { return first().Items.back().get(); }
  EditFixture f{2, 4};
};

constexpr int C = ek::NoteC, D = ek::NoteC + 1, E = ek::NoteC + 2, F = ek::NoteC + 3, G = ek::NoteC + 4;
constexpr int kNoStep = -1;
constexpr int kAnySteps = -2;  // undo and redo move steps between the lists

struct KeyCase {
  std::string name;
  std::uint16_t key;
  TECShiftState shift;
  std::function<void(KeyFixture&)> setUp;
  int stepKind;
  std::function<void(KeyFixture&)> check;
};

void SelectE(KeyFixture& k) { k.Select(k.NoteAt(32)); }
void SelectG(KeyFixture& k) { k.Select(k.NoteAt(64)); }

void OnTheLastOfThreePages(KeyFixture& k) {
  k.s().SetPageCount(3);
  k.s().SetActivePage(2);
}

// The E raised to F by a recorded step.
void RaiseE(KeyFixture& k) {
  SelectE(k);
  k.s().MoveSelectionVert(1);
}

// The E selected in the velocity view, at velocity 64.
void SelectEInTheVelocityView(KeyFixture& k) {
  k.s().SetVelocityMode(1);
  k.NoteAt(32)->Velocity = 64;
  SelectE(k);
}

TEST(ScoreKeys, EachKeyOfTheTableRunsItsCommand) {
  nv::platform::MemoryClipboard clipboard;
  nv::platform::installClipboard(&clipboard);
  const std::vector<KeyCase> cases = {
      {"Backspace deletes the note before the cursor", 8, 0, nullptr, 15,
       [](KeyFixture& k) { EXPECT_EQ(k.Kinds(), (std::vector<int>{E, G})); }},
      {"Delete deletes the note at the cursor", 46, 0, nullptr, 15,
       [](KeyFixture& k) { EXPECT_EQ(k.Kinds(), (std::vector<int>{C, G})); }},
      {"Delete takes a selection", 46, 0, SelectG, 16,
       [](KeyFixture& k) { EXPECT_EQ(k.Kinds(), (std::vector<int>{C, E})); }},
      {"Page Down", 34, 0, [](KeyFixture& k) { k.s().SetPageCount(3); }, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.s().GetActivePage(), 1); }},
      {"Ctrl+Page Down goes to the last page", 34, ssCtrl, [](KeyFixture& k) { k.s().SetPageCount(3); }, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.s().GetActivePage(), 2); }},
      {"Page Up", 33, 0, OnTheLastOfThreePages, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.s().GetActivePage(), 1); }},
      {"Ctrl+Page Up goes to the first page", 33, ssCtrl, OnTheLastOfThreePages, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.s().GetActivePage(), 0); }},
      // The four short measures stand in one system.
      {"Home goes to the system's first event", 36, 0, nullptr, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.s().CursorTick(), 0); }},
      {"End goes to the system's last measure", 35, 0, nullptr, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.s().CursorMeasure(), 3); }},
      {"Ctrl+Home goes to the page's first event", 36, ssCtrl, nullptr, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.s().CursorTick(), 0); }},
      {"Ctrl+End goes to the page's last measure", 35, ssCtrl, nullptr, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.s().CursorMeasure(), 3); }},
      {"Left goes to the event before", 37, 0, nullptr, kNoStep,
       [](KeyFixture& k) {
         EXPECT_EQ(k.s().CursorTick(), 0);
         EXPECT_TRUE(k.s().Selection.empty());
       }},
      {"Right goes to the event after", 39, 0, nullptr, kNoStep,
       [](KeyFixture& k) {
         EXPECT_EQ(k.s().CursorTick(), 64);
         EXPECT_TRUE(k.s().Selection.empty());
       }},
      {"Shift+Left selects on the way", 37, ssShift, nullptr, kNoStep,
       [](KeyFixture& k) {
         EXPECT_EQ(k.s().CursorTick(), 0);
         EXPECT_FALSE(k.s().Selection.empty());
       }},
      {"Shift+Right selects on the way", 39, ssShift, nullptr, kNoStep,
       [](KeyFixture& k) {
         EXPECT_EQ(k.s().CursorTick(), 64);
         EXPECT_FALSE(k.s().Selection.empty());
       }},
      {"Alt+Left halves the selected note", 37, ssAlt, SelectG, 22,
       [](KeyFixture& k) { EXPECT_EQ(k.NoteAt(64)->Value, 16); }},
      {"Alt+Right doubles it", 39, ssAlt, SelectG, 22, [](KeyFixture& k) { EXPECT_EQ(k.NoteAt(64)->Value, 64); }},
      {"Alt+Shift+Left shortens the spanner's extension", 37, ssAlt | ssShift,
       [](KeyFixture& k) { k.Item(ek::Crescendo, 0, 32); }, 20,
       [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Params[3], 255); }},
      {"Alt+Shift+Right lengthens it", 39, ssAlt | ssShift, [](KeyFixture& k) { k.Item(ek::Crescendo, 0, 32); }, 20,
       [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Params[3], 1); }},
      {"Ctrl+Left moves the selection to the event before", 37, ssCtrl,
       [](KeyFixture& k) { k.Item(ek::Crescendo, 32, 32); }, 20,
       [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Position, 0); }},
      {"Ctrl+Right moves it to the event after", 39, ssCtrl, [](KeyFixture& k) { k.Item(ek::Crescendo, 0, 32); }, 20,
       [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Position, 32); }},
      {"Ctrl+Alt+Right is Ctrl+Right", 39, ssCtrl | ssAlt, [](KeyFixture& k) { k.Item(ek::Crescendo, 0, 32); }, 20,
       [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Position, 32); }},
      {"Ctrl+Shift+Left nudges it left", 37, ssCtrl | ssShift, [](KeyFixture& k) { k.Item(ek::Crescendo, 0, 32); },
       20,
       [](KeyFixture& k) {
         EXPECT_EQ(k.LastItem()->Params[2], 255);
         EXPECT_EQ(k.LastItem()->Position, 0);
       }},
      {"Ctrl+Shift+Right nudges it right", 39, ssCtrl | ssShift, [](KeyFixture& k) { k.Item(ek::Crescendo, 0, 32); },
       20, [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Params[2], 1); }},
      {"Down goes to the row below", 40, 0, nullptr, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.f.instrument().GetActiveRowIndex(), 1); }},
      {"Up goes to the row above", 38, 0, [](KeyFixture& k) { k.f.instrument().SetActiveRow(1); }, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.f.instrument().GetActiveRowIndex(), 0); }},
      {"Shift+Down turns the stem down", 40, ssShift, SelectE, 19,
       [](KeyFixture& k) { EXPECT_TRUE(k.NoteAt(32)->Flags & TECNote::StemDown); }},
      {"Shift+Up turns it up", 38, ssShift,
       [](KeyFixture& k) {
         k.NoteAt(32)->Flags |= TECNote::StemDown;
         SelectE(k);
       },
       19, [](KeyFixture& k) { EXPECT_FALSE(k.NoteAt(32)->Flags & TECNote::StemDown); }},
      {"Alt+Up reshapes by -1", 38, ssAlt, [](KeyFixture& k) { k.Item(ek::ArpeggioWave, 32, 5); }, 23,
       [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Second, 4); }},
      {"Alt+Down reshapes by +1", 40, ssAlt, [](KeyFixture& k) { k.Item(ek::ArpeggioWave, 32, 5); }, 23,
       [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Second, 6); }},
      {"Alt+Shift+Up is Alt+Up", 38, ssAlt | ssShift, [](KeyFixture& k) { k.Item(ek::ArpeggioWave, 32, 5); }, 23,
       [](KeyFixture& k) { EXPECT_EQ(k.LastItem()->Second, 4); }},
      {"Ctrl+Up raises the selection a step", 38, ssCtrl, SelectE, 21,
       [](KeyFixture& k) { EXPECT_EQ(k.Kinds(), (std::vector<int>{C, F, G})); }},
      {"Ctrl+Down lowers it", 40, ssCtrl, SelectE, 21,
       [](KeyFixture& k) { EXPECT_EQ(k.Kinds(), (std::vector<int>{C, D, G})); }},
      {"Ctrl+Shift+Down moves the active row down", 40, ssCtrl | ssShift, nullptr, kAnySteps,
       [](KeyFixture& k) {
         EXPECT_TRUE(k.f.row(0).GetMeasure(0)->Notes.empty());
         EXPECT_EQ(k.f.row(1).GetMeasure(0)->Notes.size(), 3u);
       }},
      {"Ctrl+Shift+Up moves it up", 38, ssCtrl | ssShift, [](KeyFixture& k) { k.f.instrument().SetActiveRow(1); },
       kAnySteps,
       [](KeyFixture& k) {
         EXPECT_TRUE(k.f.row(0).GetMeasure(0)->Notes.empty());
         EXPECT_EQ(k.f.row(1).GetMeasure(0)->Notes.size(), 3u);
       }},
      {"Ctrl+C copies", 67, ssCtrl, SelectE, kNoStep,
       [&clipboard](KeyFixture& k) {
         EXPECT_TRUE(clipboard.HasFormat(TVORadizClipboard::kFormat));
         EXPECT_EQ(k.Kinds(), (std::vector<int>{C, E, G}));
       }},
      {"Ctrl+X cuts", 88, ssCtrl, SelectE, 16,
       [&clipboard](KeyFixture& k) {
         EXPECT_TRUE(clipboard.HasFormat(TVORadizClipboard::kFormat));
         EXPECT_EQ(k.Kinds(), (std::vector<int>{C, G}));
       }},
      {"Ctrl+V pastes", 86, ssCtrl,
       [](KeyFixture& k) {
         SelectE(k);
         ASSERT_TRUE(k.s().CopyToClipboard());
         k.s().ClearSelection();
         k.s().GoToMeasure(1);
       },
       25, [](KeyFixture& k) { EXPECT_FALSE(k.f.measure(1).Notes.empty()); }},
      {"C alone does nothing", 67, 0, [&clipboard](KeyFixture& k) {
         clipboard.Clear();
         SelectE(k);
       },
       kNoStep, [&clipboard](KeyFixture&) { EXPECT_FALSE(clipboard.HasFormat(TVORadizClipboard::kFormat)); }},
      {"X alone does nothing", 88, 0, SelectE, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.Kinds(), (std::vector<int>{C, E, G})); }},
      {"Ctrl+Z undoes", 90, ssCtrl, RaiseE, kAnySteps,
       [](KeyFixture& k) {
         EXPECT_EQ(k.Kinds(), (std::vector<int>{C, E, G}));
         EXPECT_EQ(k.s().RedoCount(), 1);
       }},
      {"Ctrl+Shift+Z redoes", 90, ssCtrl | ssShift,
       [](KeyFixture& k) {
         RaiseE(k);
         k.s().Undo(1);
       },
       kAnySteps, [](KeyFixture& k) { EXPECT_EQ(k.Kinds(), (std::vector<int>{C, F, G})); }},
      {"Z alone does nothing", 90, 0, RaiseE, kNoStep,
       [](KeyFixture& k) {
         EXPECT_EQ(k.Kinds(), (std::vector<int>{C, F, G}));
         EXPECT_EQ(k.s().RedoCount(), 0);
       }},
      {"Pad plus raises the velocity in the velocity view", 107, 0, SelectEInTheVelocityView, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.NoteAt(32)->Velocity, 65); }},
      {"Pad minus lowers it", 109, 0, SelectEInTheVelocityView, kNoStep,
       [](KeyFixture& k) { EXPECT_EQ(k.NoteAt(32)->Velocity, 63); }},
      {"Pad plus does nothing outside the velocity view", 107, 0,
       [](KeyFixture& k) {
         k.NoteAt(32)->Velocity = 64;
         SelectE(k);
       },
       kNoStep, [](KeyFixture& k) { EXPECT_EQ(k.NoteAt(32)->Velocity, 64); }},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    KeyFixture k;
    if (c.setUp) c.setUp(k);
    EventRecorder window(k.s());
    int passed = 0;
    k.s().OnKeyDown = [&passed](TECModelObject*, std::uint16_t&, TECShiftState) { ++passed; };
    const int steps = k.s().UndoCount();
    std::uint16_t key = c.key;
    k.s().KeyDown(key, c.shift);
    EXPECT_EQ(key, 0) << "the table takes the key";
    EXPECT_EQ(passed, 0);
    if (c.stepKind == kNoStep) {
      EXPECT_EQ(k.s().UndoCount(), steps);
    } else if (c.stepKind != kAnySteps) {
      ASSERT_EQ(k.s().UndoCount(), steps + 1);
      EXPECT_EQ(k.s().GetUndoStep(k.s().UndoCount() - 1)->Kind, c.stepKind);
    }
    c.check(k);
    k.s().OnKeyDown = nullptr;
  }
  nv::platform::installClipboard(nullptr);
}

TEST(ScoreKeys, CtrlAltUpRaisesTheCursorPitchAndLeavesTheSelection) {
  KeyFixture k;
  SelectE(k);
  const int pitch = k.s().CursorPitch();
  std::uint16_t key = 38;
  k.s().KeyDown(key, ssCtrl | ssAlt);
  EXPECT_EQ(k.s().CursorPitch(), pitch + 1);
  EXPECT_EQ(k.Kinds(), (std::vector<int>{C, E, G}));
  ASSERT_EQ(k.s().Selection.size(), 1u);
  EXPECT_EQ(k.s().Selection[0].Elements, std::vector<TECElement*>{k.NoteAt(32)});
  EXPECT_EQ(k.s().UndoCount(), 0);
  key = 40;
  k.s().KeyDown(key, ssCtrl | ssAlt);
  EXPECT_EQ(k.s().CursorPitch(), pitch);
}

TEST(ScoreKeys, KeysOutsideTheTableGoOnToOnKeyDown) {
  KeyFixture k;
  std::vector<std::uint16_t> passed;
  k.s().OnKeyDown = [&passed](TECModelObject*, std::uint16_t& key, TECShiftState) { passed.push_back(key); };
  std::uint16_t key = 65;  // A
  k.s().KeyDown(key, 0);
  EXPECT_EQ(key, 65);
  key = 13;  // Enter
  k.s().KeyDown(key, ssCtrl);
  EXPECT_EQ(passed, (std::vector<std::uint16_t>{65, 13}));
}

// The keys another control passes on reach the score as its own keys do.
TEST(ScoreKeys, CallKeyDownHandsTheNavigationKeysToTheScore) {
  struct ForwardCase {
    std::string name;
    std::uint16_t key;
    TECShiftState shift;
    std::function<void(KeyFixture&)> setUp;
    std::function<void(KeyFixture&)> check;
  };
  const std::vector<ForwardCase> cases = {
      {"Right", 39, 0, nullptr, [](KeyFixture& k) { EXPECT_EQ(k.s().CursorTick(), 64); }},
      {"Left", 37, 0, nullptr, [](KeyFixture& k) { EXPECT_EQ(k.s().CursorTick(), 0); }},
      {"Shift+Right selects on the way", 39, ssShift, nullptr,
       [](KeyFixture& k) {
         EXPECT_EQ(k.s().CursorTick(), 64);
         EXPECT_FALSE(k.s().Selection.empty());
       }},
      {"Home", 36, 0, nullptr, [](KeyFixture& k) { EXPECT_EQ(k.s().CursorTick(), 0); }},
      {"End", 35, 0, nullptr, [](KeyFixture& k) { EXPECT_EQ(k.s().CursorMeasure(), 3); }},
      {"Down", 40, 0, nullptr, [](KeyFixture& k) { EXPECT_EQ(k.f.instrument().GetActiveRowIndex(), 1); }},
      {"Up", 38, 0, [](KeyFixture& k) { k.f.instrument().SetActiveRow(1); },
       [](KeyFixture& k) { EXPECT_EQ(k.f.instrument().GetActiveRowIndex(), 0); }},
      {"Page Down", 34, 0, [](KeyFixture& k) { k.s().SetPageCount(3); },
       [](KeyFixture& k) { EXPECT_EQ(k.s().GetActivePage(), 1); }},
      {"Page Up", 33, 0, OnTheLastOfThreePages, [](KeyFixture& k) { EXPECT_EQ(k.s().GetActivePage(), 1); }},
      {"Delete", 46, 0, nullptr, [](KeyFixture& k) { EXPECT_EQ(k.Kinds(), (std::vector<int>{C, G})); }},
  };
  for (const ForwardCase& c : cases) {
    SCOPED_TRACE(c.name);
    KeyFixture k;
    if (c.setUp) c.setUp(k);
    EventRecorder window(k.s());
    int passed = 0;
    k.s().OnKeyDown = [&passed](TECModelObject*, std::uint16_t&, TECShiftState) { ++passed; };
    EXPECT_TRUE(nv::editing::CallKeyDown(k.s(), c.key, c.shift));
    EXPECT_EQ(passed, 0);
    c.check(k);
    k.s().OnKeyDown = nullptr;
  }
}

TEST(ScoreKeys, CallKeyDownPassesOtherKeysOnAndSaysWhetherTheyWereUsed) {
  KeyFixture k;
  std::vector<std::uint16_t> passed;
  bool take = false;
  k.s().OnKeyDown = [&](TECModelObject*, std::uint16_t& key, TECShiftState) {
    passed.push_back(key);
    if (take) key = 0;
  };
  EXPECT_FALSE(nv::editing::CallKeyDown(k.s(), 65, 0)) << "A is no key of the score";
  take = true;
  EXPECT_TRUE(nv::editing::CallKeyDown(k.s(), 66, 0)) << "the listener took B";
  EXPECT_EQ(passed, (std::vector<std::uint16_t>{65, 66}));
  EXPECT_EQ(k.s().CursorTick(), 32);
}

TEST(ScoreKeys, PreviewPagesOnlyScrollWithTheArrows) {
  KeyFixture k;
  EventRecorder window(k.s());
  k.s().SetStyle(TScoreStyle::ssPreviewPages);
  k.s().HorzScrollBar = {1000, 100, 50};
  k.s().VertScrollBar = {1000, 100, 50};
  const int tick = k.s().CursorTick();
  std::uint16_t key = 37;
  k.s().KeyDown(key, ssCtrl);
  EXPECT_EQ(k.s().HorzScrollBar.Position, 40);
  key = 40;
  k.s().KeyDown(key, 0);
  EXPECT_EQ(k.s().VertScrollBar.Position, 60);
  key = 35;
  k.s().KeyDown(key, 0);
  EXPECT_EQ(k.s().HorzScrollBar.Position, 900);
  EXPECT_EQ(k.s().VertScrollBar.Position, 900);
  key = 36;
  k.s().KeyDown(key, 0);
  EXPECT_EQ(k.s().HorzScrollBar.Position, 0);
  EXPECT_EQ(k.s().VertScrollBar.Position, 0);
  EXPECT_EQ(k.s().CursorTick(), tick);
  EXPECT_EQ(k.s().UndoCount(), 0);
}

}  // namespace
