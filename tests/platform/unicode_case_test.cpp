#include "platform/unicode_case.h"

#include <gtest/gtest.h>

namespace {

using nv::platform::UpperCaseText;

TEST(UnicodeCase, UpperCasesTheScriptsOfTheInterfaceLanguages) {
  const struct {
    const char* text;
    const char* upper;
  } cases[] = {
      {"mf", "MF"},
      {"тихо", "ТИХО"},
      {"ёжик", "ЁЖИК"},
      {"größer", "GRÖßER"},
      {"ÿ", "Ÿ"},
      {"ſ", "S"},
      {"ı", "I"},
      {"łódź", "ŁÓDŹ"},
      {"ĺľ", "ĹĽ"},
      {"ς σ ά ώ", "Σ Σ Ά Ώ"},
      {"ѣ ґ ӂ", "Ѣ Ґ Ӂ"},
      {"µ", "Μ"},
      {"Déjà vu 7", "DÉJÀ VU 7"},
      {"€ ✓", "€ ✓"},
  };
  for (const auto& c : cases) EXPECT_EQ(UpperCaseText(c.text), c.upper) << c.text;
}

TEST(UnicodeCase, BytesThatAreNoUtf8Stay) {
  EXPECT_EQ(UpperCaseText("a\xE0\xFF" "b\xC3"), "A\xE0\xFF" "B\xC3");
  EXPECT_EQ(UpperCaseText(std::string("a\0b", 3)), std::string("A\0B", 3));
  EXPECT_EQ(UpperCaseText("\xED\xA0\x80x"), "\xED\xA0\x80X");
}

}  // namespace
