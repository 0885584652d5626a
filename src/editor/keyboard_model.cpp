#include "editor/keyboard_model.h"

#include <algorithm>
#include <cctype>

#include "document/midi_pitch.h"

namespace nv::editor {

namespace {
int Upper(char c) { return std::toupper(static_cast<unsigned char>(c)); }
}  // namespace

void KeyboardModel::Changed() const {
  if (OnChanged) OnChanged();
}

void KeyboardModel::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  Layout();
}

void KeyboardModel::Layout() {
  if (Scrolls()) {
    visible_ = std::min(kWhiteKeys, 63 - 7 * maxOffsetOttave_);
    right_ = PreferredWidth();
    keyWidth_ = std::max(0, (right_ - settingWidth_ - 2 * kScrollButton) / visible_);
  } else {
    visible_ = kWhiteKeys;
    keyWidth_ = std::max(0, (clientWidth_ - settingWidth_) / kWhiteKeys);
    right_ = keyWidth_ * kWhiteKeys + 1 + settingWidth_;
  }
  Changed();
}

int KeyboardModel::PreferredWidth() const {
  if (!Scrolls()) return (clientWidth_ - settingWidth_) / kWhiteKeys * kWhiteKeys + settingWidth_ + 1;
  const int n = std::min(kWhiteKeys, 63 - 7 * maxOffsetOttave_);
  return (clientWidth_ - settingWidth_ - 2 * kScrollButton) / n * n + settingWidth_ + 2 * kScrollButton + 1;
}

int KeyboardModel::Shift() const {
  return Scrolls() && offsetOctave_ > 0 ? keyWidth_ * (offsetOctave_ * 7 - 5) : 0;
}

int KeyboardModel::KeyAreaRight() const {
  return right_ - settingWidth_ - (Scrolls() ? kScrollButton : 0);
}

// --- setters -------------------------------------------------------------------

void KeyboardModel::SetStyle(unsigned style) {
  if (style == style_) return;
  style_ = style;
  Layout();
}

void KeyboardModel::SetSettingWidth(int value) {
  if (value == settingWidth_ || settingWidth_ < 10) return;
  settingWidth_ = value;
  Layout();
}

void KeyboardModel::SetDurationWidth(int value) {
  if (value == durationWidth_) return;
  durationWidth_ = value;
  Changed();
}

void KeyboardModel::SetMaxDuration(int value) {
  if (value == maxDuration_ || value < 2 || value > 7) return;
  maxDuration_ = value;
  Changed();
}

void KeyboardModel::SetOffsetDuration(int value) {
  if (value == offsetDuration_ || value < 0 || value > maxOffsetDuration_) return;
  offsetDuration_ = value;
  Changed();
  if (OnOffsetChanged) OnOffsetChanged();
}

void KeyboardModel::SetOffsetOctave(int value) {
  if (value == offsetOctave_ || value < 0 || value > maxOffsetOttave_) return;
  offsetOctave_ = value;
  Changed();
  if (OnOffsetChanged) OnOffsetChanged();
}

void KeyboardModel::SetDurationPosition(int value) {
  if (value == durationPosition_ || value < 0 || value >= maxDuration_) return;
  // The offset follows the selected cell without an offset notice.
  if (value < offsetDuration_)
    offsetDuration_ = value;
  else if (value >= maxDuration_ + offsetDuration_ - maxOffsetDuration_)
    offsetDuration_ = value + maxOffsetDuration_ - maxDuration_ + 1;
  durationPosition_ = value;
  Changed();
  if (OnDurationChanged) OnDurationChanged();
}

void KeyboardModel::SetOctave(int value) {
  if (value == octave_ || value < 1 || value > 9) return;
  octave_ = value;
  if (!(style_ & msShowMarks)) return;
  Changed();
  if (offsetOctave_ < octave_ && octave_ - offsetOctave_ >= 9 - maxOffsetOttave_)
    SetOffsetOctave(octave_ + maxOffsetOttave_ - 9);
  if (offsetOctave_ >= octave_) SetOffsetOctave(octave_ - 1);
}

void KeyboardModel::SetKeys(const std::string& keys) {
  std::string a = keys, b = keys_;
  for (char& c : a) c = static_cast<char>(Upper(c));
  for (char& c : b) c = static_cast<char>(Upper(c));
  if (a == b) return;
  keys_ = keys;
  if (style_ & msShowMarks) Changed();
}

void KeyboardModel::SetMaxOffsetDuration(int value) {
  if (value == maxOffsetDuration_ || value < 1 || value > maxDuration_ - 1) return;
  maxOffsetDuration_ = value;
  if (offsetDuration_ > value) offsetDuration_ = value;
  Changed();
}

void KeyboardModel::SetMaxOffsetOttave(int value) {
  if (value == maxOffsetOttave_ || value < 1 || value > 8) return;
  maxOffsetOttave_ = value;
  if (offsetOctave_ > value) offsetOctave_ = value;
  Layout();
}

// --- duration strip ------------------------------------------------------------

int KeyboardModel::VisibleCells() const {
  return (style_ & msScrollDuration) ? maxDuration_ - maxOffsetDuration_ : maxDuration_;
}

int KeyboardModel::CellHeight() const {
  const int v = VisibleCells();
  if (v <= 0) return 0;
  return (style_ & msScrollDuration) ? (clientHeight_ - settingWidth_ / 2) / v : clientHeight_ / v;
}

int KeyboardModel::CellTop(int k) const { return (VisibleCells() - 1 - k) * CellHeight(); }

int KeyboardModel::CellBottom(int k) const {
  if (k == 0 && !(style_ & msScrollDuration)) return clientHeight_;
  return (VisibleCells() - k) * CellHeight();
}

int KeyboardModel::CellAt(int y) const {
  const int h = CellHeight();
  const int v = VisibleCells();
  if (h <= 0 || y < 0) return -1;
  if (y >= v * h) return (style_ & msScrollDuration) ? -1 : 0;
  return v - 1 - y / h;
}

// --- marks ---------------------------------------------------------------------

bool KeyboardModel::HasBlackKey(int slot) {
  if (slot < 0 || slot >= kWhiteKeys - 1) return false;
  const int step = StepOfWhite(slot);
  return step != 3 && step != 7;
}

void KeyboardModel::MarkPlayedKey(int octave, int step, bool black) {
  const int slot = octave * 7 + step - 12;
  if (slot < 0 || slot >= kWhiteKeys) return;
  auto& mark = black ? black_[slot] : white_[slot];
  if (mark == kSounding) return;
  mark = kSounding;
  Changed();
}

void KeyboardModel::UnmarkPlayedKey(int octave, int step, bool black) {
  const int slot = octave * 7 + step - 12;
  if (slot < 0 || slot >= kWhiteKeys) return;
  auto& mark = black ? black_[slot] : white_[slot];
  if (mark != kSounding) return;
  mark = kNone;
  Changed();
}

void KeyboardModel::MarkPlayedMidiKey(int key, bool on) {
  if (key < 0 || key > 127) return;
  const document::MidiPitch pitch = document::MidiKeyToPitch(key);
  if (on)
    MarkPlayedKey(pitch.octave, pitch.step - 1, pitch.sharp);
  else
    UnmarkPlayedKey(pitch.octave, pitch.step - 1, pitch.sharp);
}

void KeyboardModel::ClearPlayedKeys() {
  bool any = false;
  for (auto* marks : {&white_, &black_})
    for (auto& mark : *marks)
      if (mark == kSounding) {
        mark = kNone;
        any = true;
      }
  if (any) Changed();
}

// --- mouse ---------------------------------------------------------------------

int KeyboardModel::BlackSlotAt(int x, int p) const {
  const int m = keyWidth_ / 4 + 1;
  const int left = WhiteKeyX(p);
  if (HasBlackKey(p - 1) && x < left + m) return p - 1;
  if (HasBlackKey(p) && x >= left + keyWidth_ - m) return p;
  return -1;
}

void KeyboardModel::MouseDown(int x, int y) {
  const int stripLeft = right_ - settingWidth_;
  if (x < stripLeft) {
    int p = -1;
    if (Scrolls()) {
      if (x < kScrollButton) {
        pressed_ = Button::OctaveLeft;
        Changed();
        return;
      }
      if (x >= stripLeft - kScrollButton) {
        pressed_ = Button::OctaveRight;
        Changed();
        return;
      }
      const int span = stripLeft - 2 * kScrollButton;
      if (span > 0) p = (x - kScrollButton + Shift()) * visible_ / span;
    } else if (stripLeft > 0) {
      p = x * visible_ / stripLeft;
    }
    // Past C8, or on keys of no width, nothing is pressed.
    if (p < 0 || p >= kWhiteKeys || keyWidth_ <= 0 || y < 0 || y >= clientHeight_) return;
    if (y < clientHeight_ * 4 / 5) {
      const int slot = BlackSlotAt(x, p);
      if (slot >= 0) {
        black_[slot] = kPressed;
        Changed();
        SetOctave(OctaveOfWhite(slot));
        return;
      }
    }
    white_[p] = kPressed;
    Changed();
    SetOctave(OctaveOfWhite(p));
    return;
  }
  if (settingWidth_ <= 0 || x >= right_) return;
  if ((style_ & msScrollDuration) && CellHeight() > 0 && y >= VisibleCells() * CellHeight()) {
    pressed_ = x < right_ - settingWidth_ / 2 ? Button::DurationUp : Button::DurationDown;
    Changed();
    return;
  }
  const int cell = CellAt(y);
  if (cell >= 0) SetDurationPosition(cell + offsetDuration_);
}

void KeyboardModel::ReleaseMarks() {
  for (int i = 0; i < kWhiteKeys; ++i)
    if (white_[i] == kPressed) {
      white_[i] = kNone;
      Changed();
      if (OnKeyClick) OnKeyClick(OctaveOfWhite(i), 0, StepOfWhite(i));
    }
  for (int j = 0; j < kWhiteKeys; ++j)
    if (black_[j] == kPressed) {
      black_[j] = kNone;
      Changed();
      const int k = (j + 5) % 7;
      const bool flat = k == 1 || k == 5;  // the keys above D and A read as E flat and B flat
      if (OnKeyClick) OnKeyClick(OctaveOfWhite(j), flat ? -1 : 1, flat ? k + 2 : k + 1);
    }
}

void KeyboardModel::MouseUp() {
  const Button button = pressed_;
  pressed_ = Button::None;
  switch (button) {
    case Button::OctaveLeft: SetOffsetOctave(offsetOctave_ - 1); break;
    case Button::OctaveRight: SetOffsetOctave(offsetOctave_ + 1); break;
    case Button::DurationUp: SetOffsetDuration(offsetDuration_ + 1); break;
    case Button::DurationDown: SetOffsetDuration(offsetDuration_ - 1); break;
    case Button::None: break;
  }
  if (button != Button::None) Changed();
  ReleaseMarks();
}

bool KeyboardModel::MouseMove(int x, int y) {
  if (!MouseTrack) return false;
  const int stripLeft = right_ - settingWidth_;
  bool excluded = false;
  if (style_ & msScrollDuration) {
    const bool overOctaveButton =
        Scrolls() && x < stripLeft && (x < kScrollButton || x >= stripLeft - kScrollButton);
    const bool overStripButtons = x >= stripLeft && y >= VisibleCells() * CellHeight();
    excluded = overOctaveButton || overStripButtons;
  }
  if (!excluded) {
    const int h = CellHeight();
    if (h > 0 && y >= 0) {
      const int v = VisibleCells();
      const int k = y >= v * h ? 0 : v - 1 - y / h;
      SetDurationPosition(k + offsetDuration_);
      if (OnTrackMouse) OnTrackMouse(true);
      return true;
    }
  }
  if (x >= stripLeft && OnTrackMouse) OnTrackMouse(false);
  return false;
}

// --- keys ----------------------------------------------------------------------

int KeyboardModel::LetterIndex(char letter) const {
  const int upper = Upper(letter);
  for (std::size_t i = 0; i < keys_.size() && i < 7; ++i)
    if (Upper(keys_[i]) == upper) return static_cast<int>(i) + 1;
  return 0;
}

void KeyboardModel::KeyDown(const PianoKey& key) {
  const bool moves = !CtrlMove || key.ctrl;
  switch (key.kind) {
    case PianoKey::Left: if (moves) SetOctave(octave_ - 1); return;
    case PianoKey::Right: if (moves) SetOctave(octave_ + 1); return;
    case PianoKey::Up: if (moves) SetDurationPosition(durationPosition_ + 1); return;
    case PianoKey::Down: if (moves) SetDurationPosition(durationPosition_ - 1); return;
    case PianoKey::Home: if (moves) SetOctave(1); return;
    case PianoKey::End: if (moves) SetOctave(8); return;
    case PianoKey::Character: break;
  }
  if (key.character >= '1' && key.character <= '9') {
    SetOctave(std::max(1, key.character - '1'));
    return;
  }
  const int p = LetterIndex(key.character);
  if (p == 0) return;
  const int index = octave_ * 7 + p - 13;
  if (index < 0 || index >= kWhiteKeys) return;
  if (key.shift) {
    // The flat of the letter: the black key left of its white key.
    if (HasBlackKey(index - 1) && black_[index - 1] != kPressed) {
      black_[index - 1] = kPressed;
      Changed();
    }
  } else if (white_[index] != kPressed) {
    white_[index] = kPressed;
    Changed();
  }
}

void KeyboardModel::KeyUp(const PianoKey& key) {
  if (key.kind != PianoKey::Character) return;
  const int p = LetterIndex(key.character);
  if (p == 0) return;
  const int index = octave_ * 7 + p - 13;
  if (index < 0 || index >= kWhiteKeys) return;
  if (key.shift && !HasBlackKey(index - 1)) return;
  auto& mark = key.shift ? black_[index - 1] : white_[index];
  if (mark != kPressed) return;
  mark = kNone;
  Changed();
  if (OnKeyClick) OnKeyClick(octave_, key.shift ? -1 : 0, p);
}

int PageMaxOffsetOctave(int width) {
  if (width < 400) return 6;
  if (width < 500) return 5;
  if (width < 700) return 4;
  return 3;
}

}  // namespace nv::editor
