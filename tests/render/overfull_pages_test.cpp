// A system taller than the page's usable height keeps its place and runs
// past the bottom margin; the pass marks its page and reports the marks.
#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <string>
#include <vector>

#include "layout_test_support.h"

using layout_test::Instrument;
using layout_test::MakeScore;

namespace {

using Pages = std::vector<std::int32_t>;

// Every layout pass's report, in order.
struct Reports {
  explicit Reports(TECMusicScore& score) {
    score.OnOverfullPages = [this](TECModelObject*, const Pages& pages) { seen.push_back(pages); };
  }
  std::vector<Pages> seen;
};

std::unique_ptr<TECMusicScore> MakePagedScore(int rows, int measures, double width, double height) {
  auto score = MakeScore(rows, measures);
  score->LayoutSuspended = true;
  score->Page().SetWidth(width);
  score->Page().SetHeight(height);
  score->LayoutSuspended = false;
  return score;
}

Pages EveryPage(TECMusicScore& score) {
  Pages pages(Instrument(score).PageCount());
  std::iota(pages.begin(), pages.end(), 0);
  return pages;
}

// The page heights with 10 mm margins and the 16 mm interval: a system of
// n staves needs 16 + n x (16 + 6) mm of the usable height.
TEST(OverfullPages, PagesWhoseSystemRunsPastTheBottomAreMarked) {
  struct Case {
    const char* name;
    int rows;
    double width, height;
    bool everyPage;
  };
  const Case cases[] = {
      {"20 staves on A4: 456 mm of 277", 20, 210, 297, true},
      {"4 staves on A4: 104 mm of 277", 4, 210, 297, false},
      {"4 staves on the new score's page: 104 mm of 60", 4, 100, 80, true},
      {"2 staves on the new score's page: 60 mm of 60 fit", 2, 100, 80, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto score = MakePagedScore(c.rows, 30, c.width, c.height);
    Reports reports(*score);
    nv::render::LayoutScore(*score, 0, false);
    ASSERT_GE(Instrument(*score).PageCount(), 2);
    const Pages expected = c.everyPage ? EveryPage(*score) : Pages{};
    EXPECT_EQ(score->PageLayout.OverfullPages, expected);
    EXPECT_EQ(reports.seen, c.everyPage ? std::vector<Pages>{expected} : std::vector<Pages>{});
  }
}

TEST(OverfullPages, OnlyThePageOfTheTallSystemIsMarked) {
  // Two staves fill the new score's page exactly, one system a page; the
  // second row of system 1 stands 40 pixels (10.6 mm) lower.
  auto score = MakePagedScore(2, 40, 100, 80);
  Instrument(*score).Systems.resize(3);
  Instrument(*score).Systems[1].RowOffsets = {0, 40};
  Reports reports(*score);
  nv::render::LayoutScore(*score, 0, false);
  ASSERT_EQ(Instrument(*score).LayoutAt(score->PageFirstMeasure(1))->SystemIndex, 1u);
  EXPECT_EQ(score->PageLayout.OverfullPages, Pages{1});
  EXPECT_EQ(reports.seen, std::vector<Pages>{{1}});
}

TEST(OverfullPages, ReportedOncePerLayoutUntilTheSystemsFit) {
  auto score = MakePagedScore(20, 30, 210, 297);
  nv::render::LayoutScore(*score, 0, false);
  const Pages every = EveryPage(*score);
  Reports reports(*score);
  // From page 1 on, page 0 keeps its mark; over two pages likewise.
  nv::render::LayoutScore(*score, 1, false);
  nv::render::LayoutScore(*score, 0, true);
  EXPECT_EQ(reports.seen, (std::vector<Pages>{every, every}));

  // At half the staff size 456 mm of 554 are used: the pass that fits them
  // says that none is left, and the passes after it say nothing.
  score->SetScale(50);
  reports.seen.clear();
  nv::render::LayoutScore(*score, 0, false);
  EXPECT_TRUE(score->PageLayout.OverfullPages.empty());
  EXPECT_TRUE(reports.seen.empty()) << "the scale change's own pass reported the change";
}

TEST(OverfullPages, TheFittingPassReportsThatNoneIsLeft) {
  auto score = MakePagedScore(20, 30, 210, 297);
  nv::render::LayoutScore(*score, 0, false);
  Reports reports(*score);
  score->LayoutSuspended = true;
  score->SetScale(50);
  score->LayoutSuspended = false;
  nv::render::LayoutScore(*score, 0, false);
  nv::render::LayoutScore(*score, 0, false);
  EXPECT_EQ(reports.seen, std::vector<Pages>{Pages{}});
}

}  // namespace
