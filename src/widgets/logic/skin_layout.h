#pragma once

#include <vector>

#include "platform/geometry.h"

namespace nv::widgets {

using nv::platform::Point;
using nv::platform::Rect;

enum class SkinButtonStyle { Custom, Normal, Minimized, Maximized, Close };
enum class SkinButtonState { Normal, Hot, Pressed };
enum class SkinWindowState { Normal, Minimized, Maximized };

// One caption button as the skin describes it.
struct SkinButton {
  int left = 0;
  int top = 0;
  int width = 16;
  int height = 14;
  bool rightAlign = false;
  bool bottomAlign = false;
  SkinButtonStyle style = SkinButtonStyle::Custom;
  // A custom button's own say (its show handler), with the place it gives.
  bool customVisible = true;
};

// Where a point lies on a skinned window.
enum class SkinHit {
  Client, Caption, Button,
  Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight,
};

// The frame of a window skin: widths, client margins, the caption buttons'
// places and visibility for a window state, the hit test, the caption
// buttons' hot and pressed tracking, and which strip image a button shows.
class SkinLayout {
 public:
  static constexpr int kResizeCaptionBand = 4;  // top pixels of the caption that resize

  // --- frame --------------------------------------------------------------
  int leftWidth = 0;
  int rightWidth = 0;
  int bottomHeight = 0;
  int captionHeight = 16;
  bool simple = false;   // a pen outline instead of pictures
  int penWidth = 1;
  bool fullScreen = false;
  std::vector<SkinButton> buttons;

  struct Margins { int left = 0, top = 0, right = 0, bottom = 0; };
  // The frame around the client area.
  Margins ClientMargins() const;

  // --- window state -------------------------------------------------------
  void SetWindowSize(int width, int height) { width_ = width; height_ = height; }
  int WindowWidth() const { return width_; }
  int WindowHeight() const { return height_; }
  void SetWindowState(SkinWindowState state) { state_ = state; }
  // A minimise, maximise or restore under way: the buttons already show for
  // the state it leads to. Cleared with EndCommand.
  void BeginCommand(SkinWindowState target) { pending_ = target; commandRunning_ = true; }
  void EndCommand() { commandRunning_ = false; }
  SkinWindowState ShownState() const { return commandRunning_ ? pending_ : state_; }

  // --- buttons ------------------------------------------------------------
  bool ButtonVisible(int index) const;
  Rect ButtonRect(int index) const;
  // The first visible button holding the point, or -1.
  int ButtonAt(Point p) const;
  // The strip image (0 normal, 1 hot, 2 pressed, 3 inactive) of a button in
  // `state`, for a strip `stripWidth` wide.
  int ImageIndex(int index, SkinButtonState state, bool active, int stripWidth) const;

  // --- hit test -----------------------------------------------------------
  SkinHit HitTest(Point p, bool resizable) const;

  // --- caption button tracking ----------------------------------------------
  int HotButton() const { return hot_; }
  int PressedButton() const { return pressed_; }
  SkinButtonState StateOf(int index) const;
  // Returns true when the hot button changed.
  bool Hover(Point p);
  bool LeaveWindow();
  // A press on a button: it becomes pressed; false when none is under the point.
  bool Press(Point p);
  // The release: the pressed button's index when the point is still on it
  // (its action runs), else -1. Every press ends here.
  int Release(Point p);
  // A double click on the caption toggles maximised and normal only for a
  // form that can be both minimised and maximised.
  static bool DoubleClickToggles(bool canMinimize, bool canMaximize, int pressedButton) {
    return pressedButton < 0 && canMinimize && canMaximize;
  }

 private:
  int width_ = 0;
  int height_ = 0;
  SkinWindowState state_ = SkinWindowState::Normal;
  SkinWindowState pending_ = SkinWindowState::Normal;
  bool commandRunning_ = false;
  int hot_ = -1;
  int pressed_ = -1;
};

}  // namespace nv::widgets
