#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "model/roman_numerals.h"
#include "model/temp_file_names.h"
#include "model/text_fields.h"

namespace {

TEST(TextFieldsTest, CutIntFieldSequence) {
  std::string text = "12,x,3";
  EXPECT_EQ(CutIntField(",", text, 0), 12);
  EXPECT_EQ(text, "x,3");
  EXPECT_EQ(CutIntField(",", text, 0), 0);  // not a number
  EXPECT_EQ(text, "3");
  EXPECT_EQ(CutIntField(",", text, 0), 0);  // no separator: text stays
  EXPECT_EQ(text, "3");
}

TEST(TextFieldsTest, CutStrFieldSequence) {
  std::string text = "Left, 10::Top";
  EXPECT_EQ(CutStrField(", ", text, "-"), "Left");
  EXPECT_EQ(CutStrField("::", text, "-"), "10");
  EXPECT_EQ(text, "Top");
  EXPECT_EQ(CutStrField("::", text, "-"), "-");
  EXPECT_EQ(CutStrField("", text, "-"), "-");
  EXPECT_EQ(text, "Top");
}

TEST(TextFieldsTest, StrToIntOrTable) {
  const struct {
    const char* text;
    int value;
  } table[] = {{"42", 42},   {"-7", -7},         {"+7", 7},           {"  15", 15},
               {"", -1},     {"12a", -1},        {"1.5", -1},         {"+-3", -1},
               {"+", -1},    {"2147483647", 2147483647}, {"2147483648", -1}, {"0x10", -1}};
  for (const auto& row : table) {
    EXPECT_EQ(StrToIntOr(row.text, -1), row.value) << '"' << row.text << '"';
  }
}

TEST(RomanNumeralsTest, Table) {
  const struct {
    int n;
    const char* roman;
  } table[] = {{0, ""},     {1, "I"},    {4, "IV"},   {9, "IX"},    {10, "X"},
               {14, "XIV"}, {20, "XX"},  {40, "XXXX"}, {58, "XXXXXVIII"}, {-3, ""}};
  for (const auto& row : table) EXPECT_EQ(IntToRoman(row.n), row.roman) << row.n;
}

class TempFileNameTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("nv_temp_names_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Touch(const std::string& name) { std::ofstream(folder_ / name).put('x'); }

  std::filesystem::path folder_;
};

TEST_F(TempFileNameTest, FindsTheOneFreeNameAndFailsWhenNoneIsLeft) {
  for (int i = 0; i < 100; ++i) {
    if (i != 37) Touch("md" + std::to_string(i) + ".tmp");
  }
  EXPECT_EQ(GetTempScoreFileName(".tmp", folder_.string()), "md37");
  // Another extension does not collide.
  EXPECT_EQ(MakeUniqueFileName(".sfd", folder_.string()).substr(0, 2), "md");
  Touch("md37.tmp");
  EXPECT_THROW(GetTempScoreFileName(".tmp", folder_.string()), ETempFileNameError);
}

}  // namespace
