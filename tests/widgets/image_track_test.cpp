#include "widgets/image_track.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "widgets/image_track_pictures.h"

namespace nv::widgets {
namespace {

// The dynamics palette's velocity track with the program's pictures.
struct VelocityTrack {
  VelocityTrack() {
    track.SetOrientation(TrackOrientation::Vertical);
    UseStandardPictures(track);
    track.resize(20, 140);
    track.SetMax(127);
    track.SetLeftOffset(6);
    track.SetRightOffset(6);
    track.show();
  }
  TECImageTrack track;
};

TEST(TECImageTrack, ClicksAtTheTrackEndsGiveTheRangeEndsAndTellOnce) {
  VelocityTrack fixture;
  TECImageTrack& track = fixture.track;
  track.SetPosition(64);
  QSignalSpy changes(&track, &TECImageTrack::OnChange);
  QTest::mouseClick(&track, Qt::LeftButton, {}, QPoint(10, 6));
  EXPECT_EQ(track.Position(), 0);
  QTest::mouseClick(&track, Qt::LeftButton, {}, QPoint(10, 133));
  EXPECT_EQ(track.Position(), 127);
  EXPECT_EQ(changes.count(), 2);
  // The right button moves nothing.
  QTest::mouseClick(&track, Qt::RightButton, {}, QPoint(10, 6));
  EXPECT_EQ(track.Position(), 127);
  track.SetPosition(200);
  EXPECT_EQ(changes.count(), 2);
}

TEST(TECImageTrack, DraggingTheButtonFollowsThePointer) {
  TECImageTrack track;
  UseStandardPictures(track);
  track.resize(170, 20);
  track.SetMax(127);
  track.SetLeftOffset(6);
  track.SetRightOffset(6);
  track.show();
  const int centre = track.Model().ButtonCentre();
  QTest::mousePress(&track, Qt::LeftButton, {}, QPoint(centre, 8));
  ASSERT_TRUE(track.Model().Dragging());
  QTest::mouseMove(&track, QPoint(150, 8));
  QTest::mouseRelease(&track, Qt::LeftButton, {}, QPoint(150, 8));
  // The button's left edge stays 7 pixels before the pointer.
  EXPECT_EQ(track.Position(), 128 * (150 - 7) / 158);
  EXPECT_FALSE(track.Model().Dragging());
}

// The colour of the button's body in the grabbed control.
QColor ButtonFace(TECImageTrack& track) {
  const QImage shot = track.grab().toImage();
  const nv::platform::Rect image = track.Model().ImageRect();
  return shot.pixelColor(image.left + 5, image.top + 6);
}

TEST(TECImageTrack, PaintsTheStripImageOfItsState) {
  TECImageTrack track;
  UseStandardPictures(track);
  track.resize(100, 20);
  track.SetLeftOffset(6);
  track.SetRightOffset(6);
  track.show();
  const QImage& strip = track.ButtonPicture();
  EXPECT_EQ(ButtonFace(track), strip.pixelColor(5, 6));
  track.setEnabled(false);
  EXPECT_EQ(ButtonFace(track), strip.pixelColor(3 * 12 + 5, 6));
  // With only two images a disabled track shows the first.
  track.SetButtonPicture(strip.copy(0, 0, 24, 18));
  EXPECT_EQ(ButtonFace(track), strip.pixelColor(5, 6));
  // The transparent colour never shows.
  const QImage shot = track.grab().toImage();
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) ASSERT_NE(shot.pixel(x, y), qRgb(255, 0, 255)) << x << "," << y;
}

TEST(TECImageTrack, CopiedPicturesAndOnPaintReachTheScreen) {
  TECImageTrack pattern;
  UseStandardPictures(pattern);
  TECImageTrack track;
  track.CopyPictures(pattern);
  EXPECT_EQ(track.ButtonPicture(), pattern.ButtonPicture());
  EXPECT_EQ(track.FirstTrackPicture(), pattern.FirstTrackPicture());
  int painted = 0;
  track.OnPaint = [&painted](TECImageTrack&, QImage& picture) {
    ++painted;
    picture.setPixel(0, 0, qRgb(1, 2, 3));
  };
  track.show();
  EXPECT_EQ(track.grab().toImage().pixel(0, 0), qRgb(1, 2, 3));
  EXPECT_GT(painted, 0);
}

}  // namespace
}  // namespace nv::widgets
