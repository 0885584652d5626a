#include <gtest/gtest.h>

#include "library/term_description.h"
#include "library/term_list_rows.h"

namespace {

using namespace nv::library;
using nv::platform::IniFile;

TEST(Terms, LinesSplitAtTheirCommas) {
  const struct {
    const char* line;
    TECTermDescription term;
  } cases[] = {
      {"name,1,0,64", {"name", 1, 0, 64}},
      {"name,1,64", {"name", 1, 0, 64}},
      {"name,1", {"name", 0, 0, 1}},
      {"cresc.,1,1,20", {"cresc.", 1, 1, 20}},
      {"Largo,2,0,-50", {"Largo", 2, 0, -50}},
      {"x,a,b,c", {"x", 0, 0, 0}},
      {"x,1,2,3,4", {"x", 1, 2, 0}},
      {"42", {"", 0, 0, 42}},
      {"", {"", 0, 0, 0}},
      {",,,", {"", 0, 0, 0}},
      {"тихо,1, 0, 40", {"тихо", 1, 0, 40}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseTermLine(c.line), c.term) << c.line;
  EXPECT_EQ(TermLine({"dim.", 1, 1, -20}), "dim.,1,1,-20");
  EXPECT_THROW(TermLine({"a,b", 1, 0, 0}), ETermError);
}

TEST(Terms, TheListFileKeepsItsTermsAndRefusesACommaBeforeWriting) {
  const std::vector<TECTermDescription> terms{{"dolce", 0, 0, 0}, {"piano", 1, 0, 54}, {"Presto", 2, 0, 80}};
  IniFile file = IniFile::FromText("Terms.ini", "; mine\n[Terms]\nTermMax=1\nTerm0=old,0,0,0\n");
  WriteTerms(file, terms);
  EXPECT_EQ(file.Text(), "; mine\n[Terms]\nTermMax=3\nTerm0=dolce,0,0,0\nTerm1=piano,1,0,54\nTerm2=Presto,2,0,80\n");
  EXPECT_EQ(ReadTerms(file), terms);
  const std::string before = file.Text();
  EXPECT_THROW(WriteTerms(file, {{"bad,name", 1, 0, 0}}), ETermError);
  EXPECT_EQ(file.Text(), before);
}

TEST(Terms, AHugeCountCostsOnlyTheEntriesThere) {
  const IniFile file = IniFile::FromText("Terms.ini", "[Terms]\nTermMax=2000000000\nTerm1=b,1,0,2\nTerm0=a,1,0,1\n");
  EXPECT_EQ(ReadTerms(file), (std::vector<TECTermDescription>{{"a", 1, 0, 1}, {"b", 1, 0, 2}}));
}

TEST(Terms, TheNameTreeFindsDynamicAndTempoTermsIgnoringCase) {
  const std::vector<TECTermDescription> terms{{"p", 1, 0, 49}, {"f", 1, 0, 74},   {"pp", 1, 0, 40},
                                              {"ppp", 1, 0, 30}, {"dolce", 0, 0, 0}, {"Presto", 2, 0, 80},
                                              {"тихо", 1, 0, 20}};
  TermNameTree tree;
  EXPECT_TRUE(BuildTermTree(tree, terms).empty());
  int first = -1, second = -1;
  EXPECT_TRUE(GetTermValues(tree, 1, "p", first, second));
  EXPECT_EQ(second, 49);
  EXPECT_TRUE(GetTermValues(tree, 1, "F", first, second));
  EXPECT_EQ(second, 74);
  EXPECT_TRUE(GetTermValues(tree, 1, "ppp", first, second));
  EXPECT_EQ(second, 30);
  EXPECT_TRUE(GetTermValues(tree, 1, "ТИХО", first, second));
  EXPECT_EQ(second, 20);
  EXPECT_FALSE(GetTermValues(tree, 0, "dolce", first, second));
  EXPECT_FALSE(GetTermValues(tree, 1, "Presto", first, second));
  EXPECT_TRUE(GetTermValues(tree, 2, "presto", first, second));
  EXPECT_FALSE(GetTermValues(tree, 1, "pppp", first, second));

  // "pp" and "ppp" in the other order.
  TermNameTree reversed;
  const std::vector<TECTermDescription> other{{"ppp", 1, 0, 30}, {"pp", 1, 0, 40}};
  BuildTermTree(reversed, other);
  EXPECT_EQ(reversed.Find("PP")->Second, 40);
  EXPECT_EQ(reversed.Find("PPP")->Second, 30);
}

TEST(Terms, ADuplicateRaisesAndTheFirstWins) {
  TermNameTree tree;
  const TECTermDescription mf{"mf", 1, 0, 69};
  const TECTermDescription MF{"MF", 1, 0, 10};
  tree.Add("MF", &mf);
  try {
    tree.Add("MF", &MF);
    ADD_FAILURE() << "no error";
  } catch (const ETermError& error) {
    EXPECT_STREQ(error.what(), "Duplicate name");
  }
  EXPECT_EQ(tree.Find("MF"), &mf);

  const std::vector<TECTermDescription> terms{{"mf", 1, 0, 69}, {"MF", 1, 0, 10}, {"Mf", 2, 0, 5}, {"mp", 1, 0, 59}};
  EXPECT_EQ(BuildTermTree(tree, terms), (std::vector<std::string>{"MF", "Mf"}));
  EXPECT_EQ(tree.Find("MF")->Second, 69);
  EXPECT_EQ(tree.Find("MP")->Second, 59);
}

TEST(TermList, RowsCarryTheirTermsValuesAndOkRebuildsTheList) {
  const std::vector<TECTermDescription> terms{{"p", 1, 0, 49}, {"cresc.", 1, 1, 20}, {"Largo", 2, 0, -50}};
  std::vector<TermRow> rows = TermRowsOf(terms);
  RemoveTermRow(rows, 0);
  AddTermRow(rows);  // an empty name is left out
  rows[0].Kind = TermKindOfText("DINAMIC");
  EXPECT_EQ(TermsOfRows(rows), (std::vector<TECTermDescription>{{"cresc.", 1, 1, 20}, {"Largo", 2, 0, -50}}));
  EXPECT_EQ(TermKindOfText("Tempo"), 2);
  EXPECT_EQ(TermKindOfText("other"), 0);
}

TEST(TermList, RemovingTheOnlyRowEmptiesIt) {
  std::vector<TermRow> rows{{"x", 2, 0, 5}};
  RemoveTermRow(rows, 0);
  EXPECT_EQ(rows, std::vector<TermRow>{TermRow{}});
  RemoveTermRow(rows, 3);
  EXPECT_EQ(rows.size(), 1u);
}

TEST(TermList, OkRefusesACommaAndADuplicateDynamicOrTempoName) {
  EXPECT_THROW(TermsOfRows({{"a,b", 0, 0, 0}}), ETermError);
  try {
    TermsOfRows({{"mf", 1, 0, 0}, {"dolce", 0, 0, 0}, {"MF", 2, 0, 0}});
    ADD_FAILURE() << "no error";
  } catch (const ETermError& error) {
    EXPECT_NE(std::string(error.what()).find("\"MF\""), std::string::npos) << error.what();
  }
  // Inscriptions may repeat; they are not looked up.
  EXPECT_EQ(TermsOfRows({{"solo", 0, 0, 0}, {"Solo", 0, 0, 0}}).size(), 2u);
}

TEST(TermSettings, RowsShowTheirKindAndControlsChangeTheTermAtOnce) {
  std::vector<TECTermDescription> terms{
      {"p", 1, 0, 49}, {"Largo", 2, 0, -50}, {"cresc.", 1, 1, 20}, {"dolce", 0, 0, 0}, {"dim.", 1, 1, -90}};
  auto rows = TermSettingsRows(terms, 1);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].Top, 10);
  EXPECT_EQ(rows[2].Top, 50);
  EXPECT_EQ(rows[0].TrackLeft, 140);
  EXPECT_EQ(rows[0].TickX, (std::array<int, 3>{146, 225, 303}));
  EXPECT_FALSE(rows[0].Checked);
  EXPECT_EQ(rows[0].Maximum, 127);
  EXPECT_TRUE(rows[1].Checked);
  EXPECT_EQ(rows[1].Minimum, -63);
  EXPECT_EQ(rows[2].Position, -63);

  MoveTermTrack(rows[0], terms[rows[0].Term], 100);
  EXPECT_EQ(terms[0].Second, 100);
  ToggleTermChange(rows[0], terms[0], true);
  EXPECT_EQ(terms[0].First, 1);
  EXPECT_EQ(terms[0].Second, 63);
  EXPECT_EQ(rows[0].Maximum, 63);
  ToggleTermChange(rows[1], terms[2], false);
  EXPECT_EQ(terms[2], (TECTermDescription{"cresc.", 1, 0, 20}));

  const auto tempo = TermSettingsRows(terms, 2);
  ASSERT_EQ(tempo.size(), 1u);
  EXPECT_FALSE(tempo[0].HasCheckBox);
  EXPECT_EQ(tempo[0].TrackWidth, 212);
  EXPECT_EQ(tempo[0].Minimum, -100);
  EXPECT_EQ(tempo[0].Position, -50);
}

}  // namespace
