// The notes and symbols pages' tables and the symbols page's expanders.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "document/palette_pages.h"
#include "document/program_settings.h"
#include "document/symbol_strip_layout.h"
#include "document/tool_buttons.h"

namespace nv::document {
namespace {

constexpr SymbolGroup kGroups[] = {SymbolGroup::Dinamics, SymbolGroup::Fermata, SymbolGroup::Accepts,
                                   SymbolGroup::Strings, SymbolGroup::Bends};

TEST(PalettePages, EveryToolButtonOfTheTwoPagesHasOneCellAndEveryOtherCellIsAChooserOrExpander) {
  for (const ToolPage page : {ToolPage::Notes, ToolPage::Symbols}) {
    std::multiset<std::string_view> cells;
    for (const PaletteCell& cell : PaletteCells(page)) {
      cells.insert(cell.Name);
      const ToolButton* button = FindToolButton(cell.Name);
      if (button == nullptr) {
        EXPECT_TRUE(cell.Face == FaceKind::DropOnly || cell.Face == FaceKind::UpDown) << cell.Name;
        continue;
      }
      EXPECT_EQ(button->Page, page) << cell.Name;
    }
    for (const ToolButton& button : ToolButtons()) {
      if (button.Page != page) continue;
      EXPECT_EQ(cells.count(button.Name), 1u) << button.Name;
    }
  }
  EXPECT_EQ(PaletteCells(ToolPage::Piano).size(), 0u);
}

TEST(PalettePages, ButtonsStandInTwoRowsInColumnsAboutTwentyFivePixelsApart) {
  std::vector<const PaletteCell*> notes;
  for (const PaletteCell& cell : PaletteCells(ToolPage::Notes))
    if (!OnPageItself(cell)) notes.push_back(&cell);
  const auto placed = PlaceCells(notes);
  int previousUpper = -1;
  for (const PlacedCell& at : placed) {
    EXPECT_TRUE(at.Top == kPaletteUpperTop || at.Top == kPaletteLowerTop) << at.Cell->Name;
    EXPECT_EQ(at.Height, at.Cell->Row == PaletteRow::Both ? 53 : kPaletteButtonHeight) << at.Cell->Name;
    const int width = at.Cell->Face == FaceKind::DropOnly ? 12
                      : at.Cell->Face == FaceKind::UpDown ? 13
                      : at.Cell->DropPart                 ? 36
                                                          : 24;
    EXPECT_EQ(at.Width, width) << at.Cell->Name;
    if (at.Cell->Row == PaletteRow::Upper || at.Cell->Row == PaletteRow::Both) {
      if (previousUpper >= 0) {
        EXPECT_GE(at.Left - previousUpper, 25) << at.Cell->Name;
      }
      previousUpper = at.Left;
    }
  }
  // A plain column follows a plain one 25 px on; nothing overlaps in a row.
  const auto find = [&](std::string_view name) {
    return *std::find_if(placed.begin(), placed.end(), [&](const PlacedCell& c) { return c.Cell->Name == name; });
  };
  EXPECT_EQ(find("CBNote8").Left - find("CBNote4").Left, 25);
  EXPECT_EQ(find("CBPause8").Left, find("CBNote8").Left);
  EXPECT_EQ(find("CBDrumStyles").Left, find("CBDrumNote").Left + 24);
  EXPECT_EQ(find("UDTremolo").Left, find("CBTremolo").Left + 24);
  EXPECT_EQ(find("UDTremolo").Top, kPaletteLowerTop);
  for (const PlacedCell& a : placed) {
    for (const PlacedCell& b : placed) {
      if (&a == &b || a.Top != b.Top) continue;
      EXPECT_TRUE(a.Left + a.Width <= b.Left || b.Left + b.Width <= a.Left) << a.Cell->Name << " " << b.Cell->Name;
    }
  }
}

TEST(PalettePages, HintsCaptionsAndMicrotoneFacesFollowTheirValues) {
  EXPECT_EQ(RepeatNoteHint(0), "Repeat notes(1/2)");
  EXPECT_EQ(RepeatNoteHint(2), "Repeat notes(1/8)");
  EXPECT_EQ(RepeatBarHint(1), "Repeat bar(2)");
  EXPECT_EQ(BracketCaption(0), "(  )");
  EXPECT_EQ(BracketCaption(1), "[  ]");
  EXPECT_EQ(BracketCaption(2), "{  }");
  EXPECT_EQ(BracketCaption(3), "");
  EXPECT_EQ(BracketCaption(-1), "");
  const MicrotoneFace* eighth = MicrotoneFaceOf(34);
  ASSERT_NE(eighth, nullptr);
  EXPECT_EQ(eighth->Char, 0xE3);
  EXPECT_EQ(eighth->PosX, 7);
  EXPECT_EQ(eighth->PosY, -2);
  EXPECT_EQ(eighth->Hint, "+1/8");
  for (const int code : {0, 5, 7, 32, 49, -1}) EXPECT_EQ(MicrotoneFaceOf(code), nullptr) << code;
}

std::vector<std::pair<int, bool>> Snapshot(const SymbolStripLayout& layout) {
  std::vector<std::pair<int, bool>> lefts;
  for (const auto& control : layout.Controls()) lefts.emplace_back(control.Left, control.Visible);
  return lefts;
}

TEST(SymbolStripLayout, FoldingTheDynamicsAndUnfoldingThemPutsEveryButtonBack) {
  SymbolStripLayout layout = SymbolStripLayout::ForSymbolsPage();
  const auto start = Snapshot(layout);
  const int crescendo = layout.Find("CBLCrechendo")->Left;
  const int forte = layout.Find("CBForte")->Left;
  const int first = layout.Find("CBFortissimo")->Left;
  const auto& last = *layout.Find("CBSForzato");
  EXPECT_TRUE(layout.Toggle(SymbolGroup::Dinamics));
  EXPECT_EQ(layout.Find("CBLCrechendo")->Left, crescendo - (last.Left + last.Width - first + 1));
  EXPECT_EQ(layout.Find("CBForte")->Left, forte) << "left of the reference stays";
  EXPECT_FALSE(layout.Find("CBFortissimo")->Visible);
  EXPECT_TRUE(layout.Find("CBForte")->Visible);
  EXPECT_FALSE(layout.Toggle(SymbolGroup::Dinamics));
  EXPECT_EQ(Snapshot(layout), start);
}

TEST(SymbolStripLayout, FoldingTheBendsAfterTheStringsLeavesTheHiddenStringsWhereTheyAre) {
  SymbolStripLayout layout = SymbolStripLayout::ForSymbolsPage();
  layout.Toggle(SymbolGroup::Strings);
  std::vector<int> hidden;
  for (const char* name : {"CB5String", "CB6String", "CB7String", "CB8String"}) hidden.push_back(layout.Find(name)->Left);
  const int release = layout.Find("CBPreBendRelease")->Left;
  const int overTime = layout.Find("CBPreBendReleaseOverTime")->Left;
  const auto afterStrings = Snapshot(layout);
  layout.Toggle(SymbolGroup::Bends);
  std::vector<int> still;
  for (const char* name : {"CB5String", "CB6String", "CB7String", "CB8String"}) still.push_back(layout.Find(name)->Left);
  EXPECT_EQ(still, hidden);
  // The bends themselves stay; their group hides. Nothing is right of them.
  EXPECT_EQ(layout.Find("CBPreBendRelease")->Left, release);
  EXPECT_EQ(layout.Find("CBPreBendReleaseOverTime")->Left, overTime);
  EXPECT_FALSE(layout.Find("CBBendUpRelease")->Visible);
  EXPECT_TRUE(layout.Find("CBPreBend")->Visible);
  layout.Toggle(SymbolGroup::Bends);
  EXPECT_EQ(Snapshot(layout), afterStrings);
}

TEST(SymbolStripLayout, EveryOrderOfFoldingAndUnfoldingEndsWhereItStarted) {
  std::vector<int> order = {0, 1, 2, 3, 4};
  const auto start = Snapshot(SymbolStripLayout::ForSymbolsPage());
  do {
    SymbolStripLayout layout = SymbolStripLayout::ForSymbolsPage();
    for (const int g : order) layout.Toggle(kGroups[g]);
    for (const int g : order) EXPECT_TRUE(layout.Folded(kGroups[g]));
    // Unfold in every order as well: the reverse and the same order.
    std::vector<int> unfold = order;
    std::reverse(unfold.begin(), unfold.end());
    SymbolStripLayout again = layout;
    for (const int g : unfold) layout.Toggle(kGroups[g]);
    for (const int g : order) again.Toggle(kGroups[g]);
    EXPECT_EQ(Snapshot(layout), start);
    EXPECT_EQ(Snapshot(again), start);
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(SymbolStripLayout, TheSettingsNameTheFoldedGroups) {
  ProgramSettings settings;
  for (const SymbolGroup group : kGroups) EXPECT_FALSE(SymbolStripLayout::Setting(settings, group));
  SymbolStripLayout::Setting(settings, SymbolGroup::Fermata) = true;
  SymbolStripLayout::Setting(settings, SymbolGroup::Bends) = true;
  EXPECT_TRUE(settings.ExFermata);
  EXPECT_TRUE(settings.ExBends);
  EXPECT_FALSE(settings.ExStrings);
  EXPECT_EQ(SymbolStripLayout::ExpanderName(SymbolGroup::Accepts), "CBAccepts");
}

}  // namespace
}  // namespace nv::document
