#include "editor/fretboard_model.h"

#include <algorithm>
#include <cmath>

namespace nv::editor {

void FretboardModel::Changed() const {
  if (OnChanged) OnChanged();
}

void FretboardModel::SetClientSize(int width, int height) {
  width_ = width;
  height_ = height;
  Layout();
}

void FretboardModel::Layout() {
  // Half the fret count rounds half to even.
  const int half = static_cast<int>(std::nearbyint(fretCount_ / 2.0));
  base_ = (width_ - panelWidth_) / (fretCount_ + 1) - half;
  spacing_ = height_ / (stringCount_ + 1);
  Changed();
}

void FretboardModel::SetFretCount(int value) {
  if (value == fretCount_ || value < 1) return;
  fretCount_ = value;
  Layout();
}

void FretboardModel::SetStringCount(int value) {
  if (value == stringCount_ || value < 1) return;
  stringCount_ = value;
  Layout();
}

void FretboardModel::SetPanelWidth(int value) {
  if (value == panelWidth_) return;
  panelWidth_ = value;
  Layout();
}

void FretboardModel::SetFingerWidth(int value) {
  if (value == fingerWidth_) return;
  fingerWidth_ = value;
  Changed();
}

int FretboardModel::SpaceLeft(int k) const {
  int x = panelWidth_;
  for (int i = 1; i < k; ++i) x += SpaceWidth(i);
  return x;
}

int FretboardModel::GetFret(int string) const {
  return string >= 0 && string < static_cast<int>(frets_.size()) ? frets_[string] : 0;
}

void FretboardModel::ShowFret(int string, int value) {
  if (string < 0 || string >= stringCount_) return;
  value = std::clamp(value, 0, fretCount_ + 1);
  if (static_cast<int>(frets_.size()) < stringCount_) frets_.resize(stringCount_);
  if (frets_[string] == value) return;
  frets_[string] = value;
  Changed();
}

void FretboardModel::SetFret(int string, int value) {
  if (string < 0 || string >= stringCount_) return;
  // Values run to FretCount + 1, the last fret.
  value = std::clamp(value, 0, fretCount_ + 1);
  const int old = GetFret(string);
  if (value == old) {
    if (old == 0) return;
    value = 0;
  }
  ShowFret(string, value);
  if (OnFretChanged) OnFretChanged(old, value, string);
}

void FretboardModel::MouseDown(int x, int y) {
  if (spacing_ <= 0) return;
  const int shifted = y - spacing_ / 2;
  if (shifted < 0) return;
  const int row = shifted / spacing_;
  if (row >= stringCount_) return;
  int space = 0;
  if (x >= panelWidth_) {
    int right = panelWidth_;
    for (int k = 1; k <= fretCount_; ++k) {
      right += SpaceWidth(k);
      if (right > x) {
        space = k;
        break;
      }
    }
  }
  SetFret(row, space + 1);
}

}  // namespace nv::editor
