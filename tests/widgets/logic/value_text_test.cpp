#include "widgets/logic/value_text.h"

#include <gtest/gtest.h>

#include "widgets/logic/field_rules.h"

namespace nv::widgets {
namespace {

TEST(ValueText, IntegersReadOnlyWhatFitsAndNeverWrap) {
  const FormatSettings settings;
  const ValueText values(settings);
  EXPECT_EQ(values.ParseInteger(" +42 "), 42);
  EXPECT_EQ(values.ParseInteger("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"12a", "99999999999", "", "+-5", "1.5"}) {
    try {
      values.ParseInteger(bad);
      ADD_FAILURE() << bad << " read as an integer";
    } catch (const ConversionError& error) {
      EXPECT_NE(std::string(error.what()).find(std::string("'") + bad + "'"), std::string::npos);
      EXPECT_NE(std::string(error.what()).find("integer"), std::string::npos);
    }
  }
}

TEST(ValueText, RealsUseTheProgramsSeparatorOnly) {
  FormatSettings settings;
  settings.decimalSeparator = ',';
  const ValueText comma(settings);
  EXPECT_DOUBLE_EQ(comma.ParseReal("1,5E3"), 1500);
  EXPECT_THROW(comma.ParseReal("1.5"), ConversionError);
  EXPECT_THROW(comma.ParseReal("inf"), ConversionError);
  EXPECT_THROW(comma.ParseReal("1E400"), ConversionError);
  EXPECT_EQ(comma.FormatReal(0.25), "0,25");
}

TEST(ValueText, GeneralFormatKeepsFifteenDigitsAndSwitchesToExponents) {
  const FormatSettings settings;
  const ValueText values(settings);
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {1.0 / 3, "0.333333333333333"}, {220, "220"},           {1.5e20, "1.5E20"},
      {1e-7, "1E-7"},                 {0.00001, "0.00001"},   {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},                 {-2.5, "-2.5"},         {0, "0"},
  };
  for (const Case& c : cases) EXPECT_EQ(values.FormatReal(c.value), c.text) << c.value;
}

TEST(ValueText, CurrencyKeepsWholeCentsWithoutBinaryNoise) {
  const FormatSettings settings;
  const ValueText values(settings);
  struct Case {
    double value;
    const char* text;
  } cases[] = {{2.999, "2.99"}, {-2.999, "-2.99"}, {0.29, "0.29"}, {2.3, "2.3"}, {1.005, "1"}};
  for (const Case& c : cases) EXPECT_EQ(values.FormatCurrency(c.value), c.text) << c.value;
}

TEST(ValueText, DatesAndTimesFollowTheirFormats) {
  FormatSettings settings;
  const ValueText values(settings);
  EXPECT_EQ(values.FormatDate({2024, 9, 1}), "01/09/2024");
  EXPECT_EQ(values.ParseDate("29/02/2024"), (Date{2024, 2, 29}));
  EXPECT_THROW(values.ParseDate("31/02/2024"), ConversionError);
  EXPECT_THROW(values.ParseDate("1/2"), ConversionError);
  EXPECT_EQ(values.FormatTime({7, 5, 3}), "07:05:03");
  EXPECT_THROW(values.ParseTime("25:61:00"), ConversionError);
  settings.longTimeFormat = "HH:MM";
  EXPECT_EQ(values.FormatTime({7, 5, 3}), "07:05");
}

TEST(FieldRules, TypesAcceptTheirCharactersOnly) {
  FormatSettings settings;
  EXPECT_TRUE(AcceptsChar(etInteger, '-', settings));
  EXPECT_FALSE(AcceptsChar(etInteger, 'a', settings));
  EXPECT_TRUE(AcceptsChar(etReal, '.', settings));
  EXPECT_FALSE(AcceptsChar(etReal, ',', settings));
  EXPECT_FALSE(AcceptsChar(etReal, 'E', settings));
  EXPECT_TRUE(AcceptsChar(etReal, 'E', settings, true));
  settings.decimalSeparator = ',';
  EXPECT_TRUE(AcceptsChar(etCurrency, ',', settings));
  EXPECT_FALSE(AcceptsChar(etCurrency, '.', settings));
  EXPECT_TRUE(AcceptsChar(etDate, '/', settings));
  EXPECT_FALSE(AcceptsChar(etDate, ':', settings));
  EXPECT_TRUE(AcceptsChar(etTime, ':', settings));
  EXPECT_TRUE(AcceptsChar(etString, 'x', settings));
}

TEST(FieldRules, UpDownStepsStayWithinTheIntegerRange) {
  const FormatSettings settings;
  const ValueText values(settings);
  EXPECT_EQ(SteppedInteger(values, "x", 1), 1);
  EXPECT_EQ(SteppedInteger(values, "5", -1), 4);
  EXPECT_EQ(SteppedInteger(values, "2147483647", 1), 2147483647);
  EXPECT_EQ(SteppedInteger(values, "-2147483648", -1), -2147483647 - 1);
}

}  // namespace
}  // namespace nv::widgets
