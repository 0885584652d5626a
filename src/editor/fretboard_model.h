#pragma once

#include <functional>
#include <vector>

namespace nv::editor {

// A guitar neck: the open-string panel at the left, fret spaces that narrow
// by one pixel each toward the body, and one fingered value per string
// (0 = not played, 1 = open, k + 1 = fret k). String 0 lies highest.
class FretboardModel {
 public:
  // A string's value changed from `oldValue` to `newValue`.
  std::function<void(int oldValue, int newValue, int string)> OnFretChanged;
  std::function<void()> OnChanged;

  void SetClientSize(int width, int height);
  int ClientWidth() const { return width_; }
  int ClientHeight() const { return height_; }

  int FretCount() const { return fretCount_; }
  void SetFretCount(int value);
  int StringCount() const { return stringCount_; }
  void SetStringCount(int value);
  int PanelWidth() const { return panelWidth_; }
  void SetPanelWidth(int value);
  int FingerWidth() const { return fingerWidth_; }
  void SetFingerWidth(int value);

  // The base width D of the spaces and the string spacing S.
  int BaseWidth() const { return base_; }
  int StringSpacing() const { return spacing_; }
  int SpaceWidth(int k) const { return base_ + fretCount_ - k + 1; }
  int SpaceLeft(int k) const;
  int SpaceRight(int k) const { return SpaceLeft(k) + SpaceWidth(k); }
  int StringY(int s) const { return height_ - spacing_ * (stringCount_ - s); }

  int GetFret(int string) const;
  // Sets a string's value (clamped to 0..FretCount + 1); setting the value it
  // has clears it.
  void SetFret(int string, int value);
  // Shows a value without toggling or notice (the played-note display).
  void ShowFret(int string, int value);
  void MouseDown(int x, int y);

 private:
  void Layout();
  void Changed() const;

  int width_ = 0;
  int height_ = 0;
  int fretCount_ = 12;
  int stringCount_ = 6;
  int panelWidth_ = 20;
  int fingerWidth_ = 16;
  int base_ = 0;
  int spacing_ = 0;
  std::vector<int> frets_;
};

}  // namespace nv::editor
