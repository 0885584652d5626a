#include "widgets/logic/image_track_model.h"

#include <gtest/gtest.h>

namespace nv::widgets {
namespace {

using nv::platform::Point;
using nv::platform::Rect;

// The dynamics palette's track: upright, 0..127, 6 pixels free at each end.
ImageTrackModel VelocityTrack() {
  ImageTrackModel track;
  track.orientation = TrackOrientation::Vertical;
  track.client = {20, 140};
  track.SetMax(127);
  track.leftOffset = 6;
  track.rightOffset = 6;
  track.buttonHeight = 12;
  return track;
}

// A horizontal 140 x 18 track 0..127 with a two-image strip of 12 x 18
// buttons whose only opaque pixels are columns 1..10, rows 1..16.
ImageTrackModel StripTrack(int images) {
  ImageTrackModel track;
  track.client = {140, 18};
  track.SetMax(127);
  track.leftOffset = 6;
  track.rightOffset = 6;
  track.buttonWidth = 12;
  track.strip = {12 * images, 18, [](int x, int y) { return x % 12 >= 1 && x % 12 <= 10 && y >= 1 && y <= 16; }};
  return track;
}

TEST(ImageTrackModel, PressesAtTheTrackEndsGiveTheRangeEnds) {
  ImageTrackModel track = VelocityTrack();
  track.SetPosition(50);
  EXPECT_TRUE(track.Press({10, 6}));
  EXPECT_EQ(track.Position(), 0);
  track.Release({10, 6});
  EXPECT_TRUE(track.Press({10, 133}));
  EXPECT_EQ(track.Position(), 127);
  // The minimum stands at the top: its button's centre is the offset.
  track.SetPosition(0);
  EXPECT_EQ(track.ButtonCentre(), 6);
  EXPECT_EQ(track.ButtonRect(), (Rect{0, -1, 20, 13}));
}

TEST(ImageTrackModel, SettersClampAndIgnoreWhatChangesNothing) {
  ImageTrackModel track = VelocityTrack();
  EXPECT_TRUE(track.SetPosition(200));
  EXPECT_EQ(track.Position(), 127);
  EXPECT_FALSE(track.SetPosition(200));
  EXPECT_FALSE(track.SetPosition(127));
  EXPECT_FALSE(track.SetMax(-5));
  EXPECT_EQ(track.Max(), 127);
  EXPECT_FALSE(track.SetMin(128));
  // Narrowing the range carries the position along, without a change of
  // position to report.
  EXPECT_TRUE(track.SetMax(63));
  EXPECT_EQ(track.Position(), 63);
  EXPECT_TRUE(track.SetMin(-63));
  track.SetPosition(-100);
  EXPECT_EQ(track.Position(), -63);
  EXPECT_TRUE(track.SetMin(0));
  EXPECT_EQ(track.Position(), 0);
  EXPECT_FALSE(track.SetPosition(-1));
}

TEST(ImageTrackModel, TheStripImageFollowsStateAndFallsBackToTheFirst) {
  struct Case {
    int images;
    bool enabled;
    bool hot;
    int index;
  };
  for (const Case c : {Case{2, false, false, 0}, Case{4, false, false, 3}, Case{4, false, true, 3},
                       Case{2, true, true, 1}, Case{1, true, true, 0}, Case{4, true, false, 0}}) {
    ImageTrackModel track = StripTrack(c.images);
    if (c.hot) track.Enter({track.ButtonCentre(), 9});
    track.enabled = c.enabled;
    EXPECT_EQ(track.ImageIndex(), c.index) << c.images << " images, enabled " << c.enabled << ", hot " << c.hot;
  }
}

TEST(ImageTrackModel, OnlyAnOpaquePixelOfTheButtonStartsADrag) {
  ImageTrackModel track = StripTrack(2);
  // Row 0 of the image is transparent: the value moves there, no drag.
  EXPECT_TRUE(track.Press({70, 0}));
  EXPECT_EQ(track.Position(), 64);
  EXPECT_FALSE(track.Dragging());
  EXPECT_FALSE(track.Move({90, 0}));
  EXPECT_EQ(track.Position(), 64);
  // On the button's body it drags; the grab keeps the button under the
  // pointer: its left edge (63) is 7 before the press.
  EXPECT_FALSE(track.Press({70, 9}));
  EXPECT_TRUE(track.Dragging());
  EXPECT_TRUE(track.Move({80, 9}));
  EXPECT_EQ(track.Position(), 128 * (80 - 7) / 128);
  EXPECT_TRUE(track.Hot());
  track.Release({30, 9});
  EXPECT_FALSE(track.Dragging());
  EXPECT_FALSE(track.Hot());
  EXPECT_FALSE(track.Move({100, 9}));
}

TEST(ImageTrackModel, ATrackWithNoRoomBetweenItsOffsetsIgnoresPressesAndDrags) {
  ImageTrackModel track;
  track.client = {12, 20};
  track.leftOffset = 6;
  track.rightOffset = 6;
  track.SetPosition(40);
  EXPECT_FALSE(track.Press({3, 10}));
  EXPECT_FALSE(track.Move({9, 10}));
  EXPECT_EQ(track.Position(), 40);
}

TEST(ImageTrackModel, ScrollStyleMovesTheButtonCentreByPixels) {
  ImageTrackModel track;
  track.style = ImageTrackStyle::Scroll;
  track.client = {200, 20};
  track.SetMax(200);
  track.buttonWidth = 20;
  track.SetPosition(100);
  EXPECT_EQ(track.ButtonCentre(), 100);
  EXPECT_TRUE(track.Press({150, 10}));  // after the button: centre = point - half
  EXPECT_EQ(track.Position(), 140);
  EXPECT_TRUE(track.Dragging());
  EXPECT_TRUE(track.Move({145, 10}));  // by the movement
  EXPECT_EQ(track.Position(), 135);
  track.Release({145, 10});
  EXPECT_TRUE(track.Press({20, 10}));  // before it: centre = point + half
  EXPECT_EQ(track.Position(), 30);
}

TEST(ImageTrackModel, HoveringTheButtonMakesItHot) {
  ImageTrackModel track = StripTrack(4);
  track.Enter({70, 9});  // position 0: the button is at the start
  EXPECT_FALSE(track.Hot());
  track.Leave();
  track.Enter({6, 9});
  EXPECT_TRUE(track.Hot());
  track.Move({6, 0});
  EXPECT_FALSE(track.Hot());
  track.Move({6, 9});
  track.Leave();
  EXPECT_FALSE(track.Hot());
}

TEST(ImageTrackModel, RepaintAreaCoversTheOldAndNewButtonPlaces) {
  ImageTrackModel track = StripTrack(4);
  const Rect before = track.ButtonRect();
  track.SetPosition(64);
  ImageTrackModel::Repaint both = track.RepaintFor(before);
  EXPECT_EQ(both.first, before);
  EXPECT_EQ(both.second, track.ButtonRect());
  track.drawProgress = true;
  const ImageTrackModel::Repaint stretch = track.RepaintFor(before);
  EXPECT_EQ(stretch.first, (Rect{before.left, 0, track.ButtonRect().right, 18}));
  EXPECT_TRUE(stretch.second.isEmpty());
  EXPECT_TRUE(track.RepaintFor(track.ButtonRect()).first.isEmpty());
}

}  // namespace
}  // namespace nv::widgets
