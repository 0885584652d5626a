// The texts the program needs, in every language.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "language_source.h"
#include "platform/file_filter.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::vector<std::string>> NumberedTexts(const std::string& code) {
  const fs::path path = fs::path(NOTAVISTRA_ASSETS_DIR) / "lang" / (code + ".txt");
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  std::map<std::string, std::vector<std::string>> texts;
  for (const auto& form : nv::lang::ParseLanguageSource(path.string(), text.str()).forms)
    texts[form.form.key] = form.form.texts;
  return texts;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> out;
  for (int n = from; n <= to; ++n) out.push_back(n);
  return out;
}

std::size_t Count(const std::string& text, const std::string& piece) {
  std::size_t count = 0;
  for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

TEST(LanguageTexts, EveryLanguageHoldsTheNumberedTextsTheWindowsShow) {
  std::vector<int> main = Range(0, 12);
  main.push_back(15);
  for (int n : Range(17, 23)) main.push_back(n);
  std::vector<int> document = Range(0, 41);
  document.push_back(43);
  const std::map<std::string, std::vector<int>> needed = {
      {"FProgramModule", main},
      {"FMessageBlock", Range(0, 3)},
      {"FMusicEditor", document},
      {"FDCCompositionProperties", Range(0, 1)},
      {"FAccordProperties", Range(0, 2)},
      {"FSymbolProperties", Range(0, 2)},
      {"FChordList", Range(0, 4)},
      {"FSymbolList", Range(0, 4)},
      {"FReferenceModule", Range(0, 0)},
      {"FTutorialModule", Range(0, 1)},
      {"FStartModule", Range(0, 0)},
      {"FormAbout", Range(0, 3)}};
  const std::map<std::string, std::vector<int>> withPlaceholder = {
      {"FProgramModule", {2, 8, 10, 11, 12, 17, 18, 23}}, {"FMusicEditor", {25, 33}}, {"FDCCompositionProperties", {1}},
      {"FAccordProperties", {1, 2}}, {"FSymbolProperties", {0, 1}}, {"FChordList", {1, 3}}, {"FSymbolList", {1, 3}},
      {"FStartModule", {0}}};
  for (const std::string code : {"ENU", "RUS", "DEU"}) {
    const auto texts = NumberedTexts(code);
    for (const auto& [form, numbers] : needed)
      for (const int n : numbers) {
        ASSERT_LT(n, static_cast<int>(texts.at(form).size())) << code << " " << form << " #" << n;
        EXPECT_FALSE(texts.at(form)[n].empty()) << code << " " << form << " #" << n;
      }
    for (const auto& [form, numbers] : withPlaceholder)
      for (const int n : numbers) EXPECT_EQ(Count(texts.at(form)[n], "%s"), 1u) << code << " " << form << " #" << n;
    for (const int n : {13, 14, 16}) EXPECT_EQ(texts.at("FProgramModule")[n], "") << code << " #" << n;
    EXPECT_EQ(texts.at("FMusicEditor")[42], "") << code;
  }
}

TEST(LanguageTexts, TheHelpNamesEveryToolPageAsItsTabDoes) {
  const std::pair<std::string, std::string> languages[] = {{"ENU", "English"}, {"RUS", "Russian"}, {"DEU", "Deutsch"}};
  for (const auto& [code, folder] : languages) {
    const fs::path source = fs::path(NOTAVISTRA_ASSETS_DIR) / "lang" / (code + ".txt");
    std::ifstream in(source, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::ifstream page(fs::path(NOTAVISTRA_ASSETS_DIR) / "Help" / folder / "Entrance.htm", std::ios::binary);
    std::ostringstream help;
    help << page.rdbuf();
    std::set<std::string> titles;
    for (const auto& form : nv::lang::ParseLanguageSource(source.string(), text.str()).forms)
      for (const auto& entry : form.form.entries)
        if (entry.path.rfind("TS", 0) == 0 && entry.path.ends_with(".windowTitle")) {
          titles.insert(entry.text);
          EXPECT_NE(help.str().find("<b>" + entry.text + "</b>"), std::string::npos) << code << " " << entry.path;
        }
    // Notes, Symbols, Expanded, Expressions, Chords, Design, Piano, Guitar,
    // Modify and Navigator.
    EXPECT_EQ(titles.size(), 10u) << code;
  }
}

TEST(LanguageTexts, TheFileFiltersListTheirChoicesInOrder) {
  const auto patterns = [](const std::string& filter) {
    std::vector<std::string> out;
    for (const auto& entry : nv::platform::SplitFileFilter(filter)) {
      EXPECT_FALSE(entry.caption.empty());
      out.push_back(entry.patterns);
    }
    return out;
  };
  for (const std::string code : {"ENU", "RUS", "DEU"}) {
    const auto texts = NumberedTexts(code);
    EXPECT_EQ(patterns(texts.at("FProgramModule")[6]),
              (std::vector<std::string>{"*.sfd", "*.mid;*.midi", "*.kar", "*.xml", "*.*"}))
        << code;
    EXPECT_EQ(patterns(texts.at("FMusicEditor")[28]), (std::vector<std::string>{"*.sfd", "*.mid", "*.kar", "*.xml"}))
        << code;
    EXPECT_EQ(patterns(texts.at("FMusicEditor")[34]),
              (std::vector<std::string>{"*.bmp", "*.gif", "*.jpg", "*.wmf", "*.pdf"}))
        << code;
    // The formats the picture readers decode.
    EXPECT_EQ(patterns(texts.at("FDCImageInput")[4]),
              (std::vector<std::string>{"*.bmp;*.gif;*.jpg;*.jpeg", "*.bmp", "*.gif", "*.jpg;*.jpeg"}))
        << code;
  }
}

TEST(FileFilter, SplitsCaptionsAndPatterns) {
  const auto entries = nv::platform::SplitFileFilter("A (*.a)|*.a|B|*.b;*.c|Dangling");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].caption, "B");
  EXPECT_EQ(entries[1].patterns, "*.b;*.c");
  EXPECT_TRUE(nv::platform::SplitFileFilter("").empty());
}

TEST(FileFilter, BecomesTheDialogsNameFiltersInOrder) {
  EXPECT_EQ(nv::platform::NameFilters("Scores (*.sfd)|*.sfd|MIDI files (*.mid)|*.mid;*.midi|Pictures|*.bmp"),
            (std::vector<std::string>{"Scores (*.sfd)", "MIDI files (*.mid *.midi)", "Pictures (*.bmp)"}));
}

}  // namespace
