#include "document/term_font.h"

#include <gtest/gtest.h>

namespace {

using nv::document::ProgramSettings;
using nv::document::TextInputValues;

TEST(TermFont, TheDialogShowsTheTermFontAndOkKeepsWhatItChose) {
  ProgramSettings settings;
  settings.FontTermName = "Times";
  settings.FontTermSize = 8;
  settings.FontTermItalic = true;
  settings.FontTermColor = 0x0000FF;
  TextInputValues values = nv::document::TermFontValues(settings);
  EXPECT_EQ(values.FontName, "Times");
  EXPECT_EQ(values.FontSize, 8);
  EXPECT_EQ(values.FontStyle, 2);
  EXPECT_EQ(values.FontColor, 0x0000FF);
  EXPECT_FALSE(values.AlignToNotesShown);

  values.FontName = "Courier";
  values.FontSize = 14;
  values.FontStyle = 1 | 4 | 8;
  values.FontColor = 0x008000;
  nv::document::StoreTermFont(values, settings);
  EXPECT_EQ(settings.FontTermName, "Courier");
  EXPECT_EQ(settings.FontTermSize, 14);
  EXPECT_TRUE(settings.FontTermBold);
  EXPECT_FALSE(settings.FontTermItalic);
  EXPECT_TRUE(settings.FontTermUnderlite);
  EXPECT_TRUE(settings.FontTermStrikeOut);
  EXPECT_EQ(settings.FontTermColor, 0x008000);
  EXPECT_EQ(nv::document::TermFontValues(settings).FontStyle, 13);
}

TEST(TermFont, AFontWithoutANameOrSizeKeepsTheOneBefore) {
  ProgramSettings settings;
  const ProgramSettings before = settings;
  for (const auto& [name, size] : {std::pair<const char*, int>{"", 12}, {"Times", 0}, {"Times", -5}}) {
    TextInputValues values = nv::document::TermFontValues(settings);
    values.FontName = name;
    values.FontSize = size;
    values.FontStyle = 1;
    nv::document::StoreTermFont(values, settings);
    EXPECT_EQ(settings.FontTermName, before.FontTermName) << name << " " << size;
    EXPECT_EQ(settings.FontTermSize, before.FontTermSize) << name << " " << size;
    EXPECT_FALSE(settings.FontTermBold) << name << " " << size;
  }
}

}  // namespace
