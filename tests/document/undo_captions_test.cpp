#include "document/undo_captions.h"

#include <gtest/gtest.h>

#include "startup_fixture.h"

namespace {

using nv::document::RedoCaptions;
using nv::document::UndoCaptions;
using nv::document::UndoCaptionText;

TEST(UndoCaptions, EveryKindNamesItsText) {
  struct Case {
    int kind;
    int undo;
    int redo;
  };
  const Case cases[] = {
      {1, 0, 0},    {2, 1, 1},    {3, 2, 2},    {4, 3, 3},    {5, 4, 4},    {6, 5, 5},    {7, 6, 6},
      {8, 2, 2},    {9, 39, 39},  {10, 40, 40}, {11, 43, 24}, {15, 7, 7},   {16, 8, 8},   {17, 9, 9},
      {19, 10, 10}, {20, 11, 11}, {21, 12, 12}, {22, 13, 13}, {24, 14, 14}, {25, 15, 15}, {26, 38, 38},
      {27, 29, 24}, {28, 32, 24}, {29, 12, 12}, {30, 16, 16}, {31, 17, 17}, {35, 37, 37}, {40, 18, 18},
      {41, 19, 19}, {50, 20, 20}, {51, 21, 21}, {60, 23, 23}, {61, 22, 22}, {71, 36, 36},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(UndoCaptionText(static_cast<std::uint8_t>(c.kind), false), c.undo);
    EXPECT_EQ(UndoCaptionText(static_cast<std::uint8_t>(c.kind), true), c.redo);
  }
  // Kinds without a text of their own are an "Edit".
  for (const std::uint8_t kind : {0, 12, 18, 99, 255}) {
    EXPECT_EQ(UndoCaptionText(kind, false), 24) << int{kind};
    EXPECT_EQ(UndoCaptionText(kind, true), 24) << int{kind};
  }
}

TEST(UndoCaptions, TheListsShowTheNewestStepFirst) {
  TECMusicScore score;
  score.SetLockUndo(false);
  for (const std::uint8_t kind : {2, 17, 99}) score.BeginUndoStep(kind);
  score.BeginRedoStep(11);
  score.BeginRedoStep(27);
  const startup_fixture::NumberedTexts texts;
  EXPECT_EQ(UndoCaptions(score, texts), (std::vector<std::string>{"text 24", "text 9", "text 1"}));
  EXPECT_EQ(RedoCaptions(score, texts), (std::vector<std::string>{"text 24", "text 24"}));

  TECMusicScore empty;
  EXPECT_TRUE(UndoCaptions(empty, texts).empty());
  EXPECT_TRUE(RedoCaptions(empty, texts).empty());
}

}  // namespace
