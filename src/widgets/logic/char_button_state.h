#pragma once

namespace nv::widgets {

// The look of the button's main part.
enum class ButtonFace { Up, Disabled, Down, Exclusive };

// What a state change asks of the button.
struct CharButtonEffects {
  bool repaint = false;
  bool click = false;      // the main part was clicked
  bool dropClick = false;  // the drop part was clicked
  bool announce = false;   // tell the other buttons of the group that this one is down
  CharButtonEffects& operator|=(const CharButtonEffects& o) {
    repaint |= o.repaint; click |= o.click; dropClick |= o.dropClick; announce |= o.announce;
    return *this;
  }
};

// The state machine of a speed button with a character face: the face
// state, dragging, hot tracking, the drop part and the group of mutually
// exclusive buttons (the group announcement is carried by the button class).
class CharButtonState {
 public:
  // --- properties ---------------------------------------------------------
  bool IsDown() const { return down_; }
  // A grouped button that is down and may not be released stays down.
  CharButtonEffects SetDown(bool value);
  int GroupIndex() const { return groupIndex_; }
  CharButtonEffects SetGroupIndex(int value);
  bool AllowAllUp() const { return allowAllUp_; }
  CharButtonEffects SetAllowAllUp(bool value);
  int NumGlyphs() const { return numGlyphs_; }
  bool SetNumGlyphs(int value);  // values above 4 are stored as 4, below 1 ignored
  int Margin() const { return margin_; }
  bool SetMargin(int value);     // values below -1 are ignored
  int DropWidth() const { return dropWidth_; }
  bool SetDropWidth(int value);  // only 0 .. width - 1
  void SetSize(int width, int height) { width_ = width; height_ = height; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Flat() const { return flat_; }
  bool SetFlat(bool value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }

  // --- state --------------------------------------------------------------
  ButtonFace Face() const { return face_; }
  bool Dragging() const { return dragging_; }
  bool Hot() const { return hot_; }
  bool DropPressed() const { return dropPressed_; }
  // The face as painting settles it (disabled buttons, buttons enabled again).
  ButtonFace PaintFace();

  // --- mouse --------------------------------------------------------------
  CharButtonEffects Press(int x, int y);
  CharButtonEffects Move(int x, int y);
  CharButtonEffects Release(int x, int y);
  // `captured`: another window holds the mouse.
  CharButtonEffects Enter(bool captured);
  CharButtonEffects Leave();
  // Double clicks count only on a button that is down.
  bool TakesDoubleClick() const { return down_; }

  // Another button of the parent announced that it is down in `group`.
  CharButtonEffects GroupPressed(int group, bool senderAllowAllUp);

 private:
  bool Inside(int x, int y) const { return x >= 0 && x < width_ && y >= 0 && y <= height_; }

  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  int numGlyphs_ = 1;
  int margin_ = -1;
  int dropWidth_ = 0;
  int width_ = 22;
  int height_ = 23;
  bool flat_ = false;
  bool enabled_ = true;
  ButtonFace face_ = ButtonFace::Up;
  bool dragging_ = false;
  bool hot_ = false;
  bool dropPressed_ = false;
};

}  // namespace nv::widgets
