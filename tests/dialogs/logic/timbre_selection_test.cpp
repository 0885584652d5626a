#include "dialogs/logic/timbre_selection.h"

#include <gtest/gtest.h>

namespace nv::dialogs {
namespace {

TEST(TimbreSelection, GivesBackWhatWasSet) {
  const struct {
    int set;
    int checked;
    int got;
    bool mayTest;
  } cases[] = {{-1, TimbreSelection::kNoAssign, -1, false},
               {-7, TimbreSelection::kNoAssign, -1, false},
               {0, 0, 0, true},
               {127, 127, 127, true},
               {128, TimbreSelection::kNone, 0, false}};
  for (const auto& c : cases) {
    TimbreSelection selection;
    selection.Set(c.set);
    EXPECT_EQ(selection.Checked(), c.checked) << c.set;
    EXPECT_EQ(selection.Get(), c.got) << c.set;
    EXPECT_EQ(selection.MayTest(), c.mayTest) << c.set;
  }
}

TEST(TimbreSelection, NoButtonCheckedGivesProgramZero) {
  TimbreSelection selection;
  EXPECT_EQ(selection.Get(), 0);
  EXPECT_FALSE(selection.MayTest());
  selection.CheckNoAssign();
  EXPECT_EQ(selection.Get(), -1);
  selection.CheckProgram(33);
  EXPECT_EQ(selection.Get(), 33);
}

TEST(TimbreSelection, TheBassesAreTriedLow) {
  const struct {
    int program;
    int key;
  } cases[] = {{0, 64}, {32, 64}, {33, 40}, {36, 40}, {40, 40}, {41, 64}, {127, 64}};
  for (const auto& c : cases) EXPECT_EQ(TimbreTestKey(c.program), c.key) << c.program;
}

}  // namespace
}  // namespace nv::dialogs
