#include "widgets/status_panels.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <vector>

namespace {

using nv::widgets::StatusPanel;
using nv::widgets::StatusPanels;

QImage PanelImage(StatusPanels& bar, int index) { return bar.grab(bar.PanelRect(index)).toImage(); }

// The frame alone, drawn into a white box of `size`.
QImage Frame(StatusPanel panel, int frame, QSize size = {36, 16}) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  nv::widgets::DrawStatusFrame(painter, panel, frame, image.rect());
  return image;
}

class StatusPanelsTest : public ::testing::Test {
 protected:
  StatusPanelsTest() {
    bar.resize(400, 20);
    idle = {PanelImage(bar, 1), PanelImage(bar, 2), PanelImage(bar, 3)};
  }
  StatusPanels bar;
  std::vector<QImage> idle;
};

TEST_F(StatusPanelsTest, PanelsStandWhereTheirWidthsPutThem) {
  const std::vector<QRect> expected = {
      {0, 0, 110, 20}, {110, 0, 40, 20}, {150, 0, 40, 20}, {190, 0, 40, 20}, {230, 0, 50, 20}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(bar.PanelRect(i), expected[i]) << i;
}

TEST_F(StatusPanelsTest, SuccessiveTicksPaintThePlayingPanelWithFrames012AndAgain0) {
  bar.SetStates(false, true, false);
  std::vector<QImage> shown;
  for (int tick = 0; tick < 4; ++tick) {
    bar.Tick();
    shown.push_back(PanelImage(bar, 2));
  }
  EXPECT_NE(shown[0], shown[1]);
  EXPECT_NE(shown[1], shown[2]);
  EXPECT_NE(shown[0], shown[2]);
  EXPECT_EQ(shown[3], shown[0]);
  EXPECT_NE(shown[0], idle[1]);
  // The others stay empty.
  EXPECT_EQ(PanelImage(bar, 1), idle[0]);
  EXPECT_EQ(PanelImage(bar, 3), idle[2]);
  bar.SetStates(false, false, false);
  bar.Tick();
  EXPECT_EQ(PanelImage(bar, 2), idle[1]);
}

TEST_F(StatusPanelsTest, PrintingAndRecordingShowTheirOwnPanels) {
  bar.SetStates(true, false, true);
  bar.Tick();
  EXPECT_NE(PanelImage(bar, 1), idle[0]);
  EXPECT_NE(PanelImage(bar, 3), idle[2]);
  EXPECT_EQ(PanelImage(bar, 2), idle[1]);
}

TEST(StatusFrames, EveryFrameOfAPanelDiffersFromTheOthersButRecordBlinks) {
  for (StatusPanel panel : {StatusPanel::Printing, StatusPanel::Playing, StatusPanel::Recording}) {
    const int count = nv::widgets::StatusAnimation::FrameCount(panel);
    QImage blank(36, 16, QImage::Format_RGB32);
    blank.fill(Qt::white);
    for (int a = 0; a < count; ++a) {
      EXPECT_NE(Frame(panel, a), blank) << a;
      for (int b = a + 1; b < count; ++b) {
        // The dot is dark for its last two frames.
        if (panel == StatusPanel::Recording && a == 2 && b == 3) continue;
        EXPECT_NE(Frame(panel, a), Frame(panel, b)) << static_cast<int>(panel) << ": " << a << " " << b;
      }
    }
  }
  EXPECT_EQ(Frame(StatusPanel::Recording, 2), Frame(StatusPanel::Recording, 3));
}

TEST(StatusFrames, TheRecordDotIsRedWhenLit) {
  const QImage lit = Frame(StatusPanel::Recording, 1);
  const QColor centre = lit.pixelColor(lit.rect().center());
  EXPECT_GT(centre.red(), 200);
  EXPECT_LT(centre.green(), 120);
  const QColor dark = Frame(StatusPanel::Recording, 3).pixelColor(lit.rect().center());
  EXPECT_LT(dark.red(), 150);
}

}  // namespace
