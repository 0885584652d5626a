#include "document/interface_language.h"

#include <gtest/gtest.h>

namespace {

class FixedLayouts : public nv::document::KeyboardLayoutSource {
 public:
  FixedLayouts(std::string names, std::string locale) : names_(std::move(names)), locale_(std::move(locale)) {}
  std::string LayoutNames() const override { return names_; }
  std::string Locale() const override { return locale_; }

 private:
  std::string names_, locale_;
};

TEST(KeyboardLayouts, RussianOrUkrainianLayoutsOrElseTheLocale) {
  struct Case {
    const char* names;
    const char* locale;
    bool russian;
  };
  const Case cases[] = {
      {"us,ru", "en_US.UTF-8", true}, {"us,ua", "C", true},     {"us", "ru_RU.UTF-8", false},
      {"ru(phonetic)", "C", true},    {"gb,de:2", "C", false},  {"", "ru_RU.UTF-8", true},
      {"", "uk_UA", true},            {"", "en_GB.UTF-8", false}, {"", "", false},
      {"rus", "C", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(HasRussianKeyboardLayout(FixedLayouts(c.names, c.locale)), c.russian) << c.names << " " << c.locale;
  // Only the first 64 layouts are looked at.
  std::string many;
  for (int i = 0; i < 64; ++i) many += "us,";
  EXPECT_FALSE(HasRussianKeyboardLayout(FixedLayouts(many + "ru", "C")));
}

TEST(InterfaceLanguage, TheStoredLanguageOrTheKeyboardRule) {
  using nv::document::ChooseInterfaceLanguage;
  EXPECT_EQ(ChooseInterfaceLanguage("", true), "RUS");
  EXPECT_EQ(ChooseInterfaceLanguage("", false), "ENU");
  EXPECT_EQ(ChooseInterfaceLanguage("DEU", true), "RUS");
  EXPECT_EQ(ChooseInterfaceLanguage("enu", true), "ENU");
  EXPECT_EQ(ChooseInterfaceLanguage("Rus", false), "RUS");
}

}  // namespace
