#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "model/memory_stream.h"
#include "model/score_page.h"
#include "platform/qt/qt_picture.h"
#include "fake_music_setting.h"

namespace {

class FakePageOwner : public IScorePageOwner {
 public:
  int clientInvalidations = 0;
  int scoreInvalidations = 0;
  int layouts = 0;
  int width = 0;
  int height = 0;
  ScoreViewport viewport;
  const TECScorePage* page = nullptr;
  bool sizingSeen = false;
  bool printing = false;

  void InvalidateClientArea() override { ++clientInvalidations; }
  void InvalidateScore() override { ++scoreInvalidations; }
  void LayoutScore(int, bool) override { ++layouts; }
  void SetScoreSize(int w, int h) override {
    width = w;
    height = h;
    sizingSeen = page != nullptr && page->Sizing();
  }
  ScoreViewport Viewport() const override { return viewport; }
  bool Printing() const override { return printing; }
};

class ScorePageTest : public testing::Test {
 protected:
  FakeMusicSetting setting;
  FakePageOwner owner;
  TECScorePage page{&owner, &setting};
};

TEST_F(ScorePageTest, NewPageDefaults) {
  EXPECT_EQ(page.Dump(),
            "Page Width=1000 Height=800 LeftMargin=100 TopMargin=100 RightMargin=100 "
            "BottomMargin=100 Interval=160 poPortrait PaperSize=Custom Rule=1 Unit=rmMM "
            "Color=#FFFFFF brush #FFFFFF solid Text=\"\"");
  EXPECT_EQ(page.Width(), 100);
  EXPECT_EQ(page.Height(), 80);
  EXPECT_EQ(page.LeftMargin(), 10);
  EXPECT_EQ(page.Interval(), 16);
  EXPECT_EQ(page.GetValue(7), 0);
  EXPECT_EQ(page.GetValue(-1), 0);
}

TEST_F(ScorePageTest, PaperSizesAndOrientation) {
  page.SetPaperSize(TECPaperSize::A4);
  EXPECT_EQ(page.StoredValue(TECScorePage::viWidth), 2100);
  EXPECT_EQ(page.StoredValue(TECScorePage::viHeight), 2970);
  page.SetOrientation(TPrinterOrientation::poLandscape);
  EXPECT_EQ(page.StoredValue(TECScorePage::viWidth), 2970);
  EXPECT_EQ(page.StoredValue(TECScorePage::viHeight), 2100);
  page.SetOrientation(TPrinterOrientation::poLandscape);  // no change, no swap
  EXPECT_EQ(page.StoredValue(TECScorePage::viWidth), 2970);

  TECScorePage landscape(nullptr, nullptr);
  landscape.SetOrientation(TPrinterOrientation::poLandscape);
  landscape.SetPaperSize(TECPaperSize::A4);
  EXPECT_EQ(landscape.Width(), 2970);  // no settings: tenths unchanged
  EXPECT_EQ(landscape.Height(), 2100);

  const struct {
    TECPaperSize size;
    double width;
    double height;
  } table[] = {{TECPaperSize::Letter, 2159, 2794}, {TECPaperSize::Ledger, 4318, 2794},
               {TECPaperSize::Note, 2159, 2790},   {TECPaperSize::Env9, 984.3, 2254},
               {TECPaperSize::ESheet, 1000, 1000}};
  TECScorePage portrait(nullptr, nullptr);
  for (const auto& row : table) {
    portrait.SetPaperSize(row.size);
    EXPECT_EQ(portrait.Width(), row.width) << PaperSizeName(row.size);
    EXPECT_EQ(portrait.Height(), row.height) << PaperSizeName(row.size);
  }
  // Custom and Default keep the size the page has.
  portrait.SetPaperSize(TECPaperSize::Custom);
  EXPECT_EQ(portrait.Width(), 1000);
  portrait.SetPaperSize(TECPaperSize::Default);
  EXPECT_EQ(portrait.Width(), 1000);
}

TEST_F(ScorePageTest, SetValueFollowsPaperSizeAndRefusesWhatLeavesNoPage) {
  page.SetPaperSize(TECPaperSize::A4);
  page.SetValue(TECScorePage::viWidth, 150);
  EXPECT_EQ(page.StoredValue(TECScorePage::viWidth), 2100);
  page.SetPaperSize(TECPaperSize::Custom);
  page.SetValue(TECScorePage::viWidth, 150);
  EXPECT_EQ(page.StoredValue(TECScorePage::viWidth), 1500);

  const struct {
    int index;
    double value;  // millimetres
    double stored;
  } table[] = {
      {TECScorePage::viLeftMargin, 70, 700},   // 70 + 10 of 150 mm: room left
      {TECScorePage::viLeftMargin, 140, 700},  // 140 + 10 = 150: none left
      {TECScorePage::viTopMargin, 287, 100},
      {TECScorePage::viHeight, 20, 2970},      // the margins already take 20 mm
      {TECScorePage::viWidth, std::numeric_limits<double>::quiet_NaN(), 1500},
      {TECScorePage::viInterval, -1, 160},
      {TECScorePage::viInterval, 0, 0},
      {TECScorePage::viBottomMargin, 0, 0},
  };
  for (const auto& row : table) {
    page.SetValue(row.index, row.value);
    EXPECT_EQ(page.StoredValue(row.index), row.stored) << row.index << " " << row.value;
  }
}

TEST_F(ScorePageTest, PaperAndOrientationThatLeaveNoRoomForTheMarginsAreRefused) {
  page.SetPaperSize(TECPaperSize::A4);
  page.SetValue(TECScorePage::viLeftMargin, 60);
  page.SetValue(TECScorePage::viRightMargin, 60);
  // An envelope 98.43 mm wide has no room between 120 mm of margins.
  page.SetPaperSize(TECPaperSize::Env9);
  EXPECT_EQ(page.PaperSize(), TECPaperSize::A4);
  EXPECT_EQ(page.StoredValue(TECScorePage::viWidth), 2100);
  page.SetPaperSize(TECPaperSize::Letter);
  EXPECT_EQ(page.PaperSize(), TECPaperSize::Letter);

  // 100 x 80 mm with 70 + 10 mm across: turned, it would be 80 mm wide.
  TECScorePage custom(&owner, &setting);
  custom.SetValue(TECScorePage::viLeftMargin, 70);
  custom.SetOrientation(TPrinterOrientation::poLandscape);
  EXPECT_EQ(custom.Orientation(), TPrinterOrientation::poPortrait);
  EXPECT_EQ(custom.StoredValue(TECScorePage::viWidth), 1000);
  custom.SetValue(TECScorePage::viLeftMargin, 60);
  custom.SetOrientation(TPrinterOrientation::poLandscape);
  EXPECT_EQ(custom.Orientation(), TPrinterOrientation::poLandscape);
  EXPECT_EQ(custom.StoredValue(TECScorePage::viWidth), 800);
}

TEST_F(ScorePageTest, SettersNotifyTheOwner) {
  page.SetValue(TECScorePage::viInterval, 20);
  EXPECT_EQ(owner.layouts, 1);
  EXPECT_EQ(owner.scoreInvalidations, 1);
  page.SetValue(TECScorePage::viInterval, 20);  // unchanged: nothing
  EXPECT_EQ(owner.scoreInvalidations, 1);
  page.SetValue(TECScorePage::viLeftMargin, 12);
  EXPECT_EQ(setting.scrollBarUpdates, 1);
  page.SetValue(TECScorePage::viBottomMargin, 12);
  EXPECT_EQ(setting.scrollBarUpdates, 1);
  EXPECT_EQ(owner.scoreInvalidations, 3);
  page.SetText("Draft");
  EXPECT_EQ(owner.scoreInvalidations, 4);
  page.SetRule(false);
  EXPECT_EQ(owner.clientInvalidations, 1);
  page.SetValue(9, 5);
  EXPECT_EQ(owner.scoreInvalidations, 4);
}

TEST_F(ScorePageTest, UnitsAndPixels) {
  setting.metrix = TECMetrix::rmInches;
  page.SetPaperSize(TECPaperSize::Letter);
  EXPECT_DOUBLE_EQ(page.Width(), 8.5);
  page.SetUnitOverride(TECMetrix::rmMM);
  EXPECT_DOUBLE_EQ(page.Width(), 215.9);
  page.ClearUnitOverride();
  setting.metrix = TECMetrix::rmPixels;
  setting.zoom = 200;
  page.SetPaperSize(TECPaperSize::Custom);
  page.SetValue(TECScorePage::viWidth, 1920);  // 1920 px at 192 px an inch: 10 in
  EXPECT_EQ(page.StoredValue(TECScorePage::viWidth), 2540);
  EXPECT_EQ(page.PixelWidth(), 1920);
  EXPECT_EQ(page.PixelHeight(), 2112);  // 279.4 mm

  owner.page = &page;
  page.UpdateScoreSize();
  EXPECT_EQ(owner.width, 1922);
  EXPECT_EQ(owner.height, 2114);
  EXPECT_TRUE(owner.sizingSeen);
  EXPECT_FALSE(page.Sizing());
}

TEST_F(ScorePageTest, AssignCopiesAllButTextAndPicture) {
  TECScorePage source(nullptr, nullptr);
  source.SetPaperSize(TECPaperSize::A5);
  source.SetOrientation(TPrinterOrientation::poLandscape);
  source.SetInterval(200);
  source.SetTopMargin(50);
  source.SetRule(false);
  source.SetText("Copy");
  source.SetColor(nv::platform::colors::yellow);
  source.SetBrush({nv::platform::colors::blue, nv::platform::BrushStyle::Cross, {}});
  source.SetPicture(nv::platform::pictureFromImage(QImage(8, 8, QImage::Format_RGB32)));
  page.SetText("Mine");
  page.Assign(source);
  EXPECT_EQ(page.Dump(),
            "Page Width=2100 Height=1480 LeftMargin=100 TopMargin=50 RightMargin=100 "
            "BottomMargin=100 Interval=200 poLandscape PaperSize=A5 Rule=0 Unit=rmMM "
            "Color=#FFFF00 brush #0000FF cross Text=\"Mine\"");
  EXPECT_EQ(setting.scrollBarUpdates, 1);
}

TEST_F(ScorePageTest, PageBlockRoundTripAndBytes) {
  page.SetPaperSize(TECPaperSize::A4);
  page.SetOrientation(TPrinterOrientation::poLandscape);
  page.SetRule(false);
  page.SetUnitOverride(TECMetrix::rmInches);
  MemoryStream stream;
  page.SaveToStream(stream);
  const std::vector<std::uint8_t>& bytes = stream.Data();
  ASSERT_EQ(bytes.size(), 2 + 7 * 10 + 4 * 2u);
  EXPECT_EQ(bytes[0], 11);
  // Width 2970 is 0xB9A × 2^0, that is 1.0111001101 × 2^11.
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 2, bytes.begin() + 12),
            (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0xA0, 0xB9, 0x0A, 0x40}));
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin() + 62, bytes.begin() + 70),
            (std::vector<std::uint8_t>{1, 0, 9, 0, 0, 0, 1, 0}));

  stream.SetPosition(0);
  TECScorePage copy(nullptr, nullptr);
  copy.LoadFromStream(stream);
  EXPECT_EQ(stream.Remaining(), 0);
  EXPECT_EQ(copy.Dump(), "Page Width=2970 Height=2100 LeftMargin=100 TopMargin=100 RightMargin=100 "
                         "BottomMargin=100 Interval=160 poLandscape PaperSize=A4 Rule=0 "
                         "Unit=rmInches Color=#FFFFFF brush #FFFFFF solid Text=\"\"");
  EXPECT_FALSE(copy.HasUnitOverride());  // the unit is read back, the override is not
}

TEST_F(ScorePageTest, PageBlockWithSixFieldsKeepsTheRest) {
  page.SetOrientation(TPrinterOrientation::poLandscape);
  page.SetRule(false);
  page.SetInterval(25);
  MemoryStream stream;
  stream.WriteU16(6);
  for (double value : {3000.0, 2000.0, 110.0, 120.0, 130.0, 140.0}) stream.WriteExtended(value);
  stream.WriteU16(0xEEEE);  // what follows the block is not read
  stream.SetPosition(0);
  page.LoadFromStream(stream);
  EXPECT_EQ(stream.Remaining(), 2);
  EXPECT_EQ(page.Dump(),
            "Page Width=3000 Height=2000 LeftMargin=120 TopMargin=110 RightMargin=130 "
            "BottomMargin=140 Interval=250 poLandscape PaperSize=Custom Rule=0 Unit=rmMM "
            "Color=#FFFFFF brush #FFFFFF solid Text=\"\"");
}

TEST_F(ScorePageTest, PageBlockKeepsLengthsThatCannotBeRight) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char* what;
    std::vector<double> lengths;  // Width, Height, Top, Left, Right, Bottom
    const char* dump;
  } table[] = {
      {"not finite", {inf, nan, -inf, 120, 130, 140},
       "Width=1000 Height=800 LeftMargin=120 TopMargin=100 RightMargin=130 BottomMargin=140"},
      {"out of range", {0, 100001, 150, -1, 200, 1e9},
       "Width=1000 Height=800 LeftMargin=100 TopMargin=150 RightMargin=200 BottomMargin=100"},
      {"no usable width", {300, 2000, 50, 150, 150, 50},
       "Width=1000 Height=2000 LeftMargin=100 TopMargin=50 RightMargin=100 BottomMargin=50"},
      {"no usable height", {2000, 400, 200, 10, 10, 200},
       "Width=2000 Height=800 LeftMargin=10 TopMargin=100 RightMargin=10 BottomMargin=100"},
  };
  for (const auto& row : table) {
    TECScorePage fresh(nullptr, nullptr);
    MemoryStream stream;
    stream.WriteU16(6);
    for (double value : row.lengths) stream.WriteExtended(value);
    stream.SetPosition(0);
    fresh.LoadFromStream(stream);
    EXPECT_NE(fresh.Dump().find(row.dump), std::string::npos) << row.what << ": " << fresh.Dump();
  }
}

TEST_F(ScorePageTest, ShortPageBlockRaisesReadError) {
  MemoryStream stream;
  stream.WriteU16(11);
  stream.WriteExtended(2000);
  stream.SetPosition(0);
  EXPECT_THROW(page.LoadFromStream(stream), EReadError);
}

}  // namespace
