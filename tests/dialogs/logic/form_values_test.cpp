#include <gtest/gtest.h>

#include <stdexcept>

#include "dialogs/logic/font_choices.h"
#include "dialogs/logic/form_values.h"
#include "dialogs/logic/transpose_range.h"

namespace nv::dialogs {
namespace {

TEST(FormValues, GivesEachFieldItsKindAndRefusesAnyOther) {
  const FormValues values{{"UDCount", 4}, {"CBMute", true}, {"EName", std::string("Violin")}};
  EXPECT_EQ(values.Int("UDCount"), 4);
  EXPECT_TRUE(values.Bool("CBMute"));
  EXPECT_EQ(values.Text("EName"), "Violin");
  // A tick is no number, and a field the form lacks is no zero.
  EXPECT_THROW(values.Int("CBMute"), std::invalid_argument);
  EXPECT_THROW(values.Text("UDCount"), std::invalid_argument);
  EXPECT_THROW(values.Int("UDChannel"), std::invalid_argument);
  try {
    values.Bool("UDChannel");
  } catch (const std::invalid_argument& error) {
    EXPECT_NE(std::string(error.what()).find("UDChannel"), std::string::npos);
  }
}

TEST(FormValues, ButtonGroupsGiveTheValueDownOrNone) {
  const std::vector<int> values = {0, 1, -1, 3};
  EXPECT_EQ(GroupValue(values, 2, 0), -1);
  EXPECT_EQ(GroupValue(values, -1, 7), 7);
  EXPECT_EQ(GroupValue(values, 4, 7), 7);
  EXPECT_EQ(GroupIndexOf(values, -1), 2);
  EXPECT_EQ(GroupIndexOf(values, 5), -1);
  EXPECT_EQ(KeptWithin(5000, 1, 1000), 1000);
  EXPECT_EQ(KeptWithin(-3, 1, 1000), 1);
  EXPECT_EQ(KeptWithin(17, 1, 1000), 17);
}

TEST(FormValues, SettingsKeepEachKindAndABadTextChangesNothing) {
  EXPECT_EQ(SettingOf(8), "8");
  EXPECT_EQ(SettingOf(true), "1");
  EXPECT_EQ(SettingOf(std::string("1-4")), "1-4");
  const struct {
    const char* stored;
    FieldValue current;
    FieldValue expected;
  } cases[] = {
      {"16", 8, 16},           {" -3 ", 8, -3},         {"abc", 8, 8},     {"", 8, 8},
      {"99999999999", 8, 8},   {"0", true, false},      {"2", false, true}, {"yes", true, true},
      {"1-4", std::string("x"), std::string("1-4")},
  };
  for (const auto& c : cases) EXPECT_EQ(FromSetting(c.stored, c.current), c.expected) << c.stored;
}

TEST(TransposeRange, ADirectionKeepsTheSignButtonOnItsSide) {
  EXPECT_EQ(transpose::RangeFor(true), (transpose::Range{1, 127}));
  EXPECT_EQ(transpose::RangeFor(false), (transpose::Range{-127, -1}));
  EXPECT_EQ(transpose::Negated(5, transpose::RangeFor(true)), 1);
  EXPECT_EQ(transpose::Negated(-5, transpose::RangeFor(false)), -1);
  EXPECT_EQ(transpose::Negated(5, transpose::Range{}), -5);
  EXPECT_EQ(transpose::Negated(-127, transpose::Range{}), 127);
}

TEST(FontChoices, TheListSkipsVerticalFacesAndRepeats) {
  const std::vector<std::string> families = {"Times", "@MS Mincho", "arial", "Arial", "Courier", "MS Mincho", "@Batang"};
  EXPECT_EQ(font_choice::FontNameList(families),
            (std::vector<std::string>{"arial", "Courier", "MS Mincho", "Times"}));
  const std::vector<std::string> list = font_choice::FontNameList(families);
  EXPECT_EQ(font_choice::FindFontName(list, "ARIAL"), 0);
  EXPECT_EQ(font_choice::FindFontName(list, "times"), 3);
  EXPECT_EQ(font_choice::FindFontName(list, "Helvetica"), -1);
}

}  // namespace
}  // namespace nv::dialogs
