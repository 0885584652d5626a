#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace nv::editor {

// What the piano keyboard shows (a set of these flags).
enum MusicStyle : unsigned {
  msShowMarks = 1,       // key letters and octave numbers
  msColorOctave = 2,     // each octave in its own colour
  msScrollDuration = 4,  // the duration strip scrolls, with two buttons below it
  msScrollOctave = 8,    // the keys scroll by octaves, with a button at each end
};
inline constexpr unsigned kAllMusicStyles = msShowMarks | msColorOctave | msScrollDuration | msScrollOctave;

// The keys of the computer keyboard the piano answers.
struct PianoKey {
  enum Kind { Left, Right, Up, Down, Home, End, Character } kind = Character;
  char character = 0;  // for Character: a digit or a letter, as typed
  bool shift = false;
  bool ctrl = false;
};

// The on-screen piano of 88 keys with a strip of note values at its right
// end: its layout, the setters' rules, the hit tests and the key marks.
// White key i (0 = A0 .. 51 = C8) has octave (i+5)/7+1 and step (i+5)%7+1;
// black slot i is the black key between white keys i and i+1.
class KeyboardModel {
 public:
  static constexpr int kWhiteKeys = 52;
  static constexpr int kScrollButton = 16;
  enum Mark : std::uint8_t { kNone = 0, kPressed = 2, kSounding = 3 };
  enum class Button { None, OctaveLeft, OctaveRight, DurationUp, DurationDown };

  // A key was released: octave 1..9, note -1 flat / 0 natural / +1 sharp, tone 1..7 (C..B).
  std::function<void(int octave, int note, int tone)> OnKeyClick;
  std::function<void(bool keys)> OnTrackMouse;
  std::function<void()> OnOffsetChanged;
  std::function<void()> OnDurationChanged;
  // Anything shown changed.
  std::function<void()> OnChanged;

  void SetClientSize(int width, int height);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }

  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  int SettingWidth() const { return settingWidth_; }
  void SetSettingWidth(int value);
  int DurationWidth() const { return durationWidth_; }
  void SetDurationWidth(int value);
  int DurationPosition() const { return durationPosition_; }
  void SetDurationPosition(int value);
  int MaxDuration() const { return maxDuration_; }
  void SetMaxDuration(int value);
  int OffsetDuration() const { return offsetDuration_; }
  void SetOffsetDuration(int value);
  int MaxOffsetDuration() const { return maxOffsetDuration_; }
  void SetMaxOffsetDuration(int value);
  int Octave() const { return octave_; }
  void SetOctave(int value);
  int OffsetOctave() const { return offsetOctave_; }
  void SetOffsetOctave(int value);
  int MaxOffsetOttave() const { return maxOffsetOttave_; }
  void SetMaxOffsetOttave(int value);
  const std::string& Keys() const { return keys_; }
  void SetKeys(const std::string& keys);
  bool MouseTrack = false;
  bool CtrlMove = false;
  bool Focused = false;

  // Layout results: visible white keys, key width, right edge of the strip,
  // the scroll shift of the key area and its left edge.
  int VisibleKeys() const { return visible_; }
  int KeyWidth() const { return keyWidth_; }
  int RightEdge() const { return right_; }
  int Shift() const;
  int KeyAreaLeft() const { return Scrolls() ? kScrollButton : 0; }
  // The key area's right edge (the right scroll button's left edge when scrolling).
  int KeyAreaRight() const;
  int PreferredWidth() const;
  int WhiteKeyX(int index) const { return KeyAreaLeft() + index * keyWidth_ - Shift(); }

  // The duration strip: visible cells, cell height, and the duration shown
  // by the cell k-th from the bottom.
  int VisibleCells() const;
  int CellHeight() const;
  // The cell k-th from the bottom: its top and bottom y.
  int CellTop(int k) const;
  int CellBottom(int k) const;

  std::uint8_t WhiteMark(int index) const { return white_[index]; }
  std::uint8_t BlackMark(int slot) const { return black_[slot]; }
  Button PressedButton() const { return pressed_; }

  void MarkPlayedKey(int octave, int step, bool black);
  void UnmarkPlayedKey(int octave, int step, bool black);
  // The same for a MIDI key number.
  void MarkPlayedMidiKey(int key, bool on);
  void ClearPlayedKeys();

  void MouseDown(int x, int y);
  void MouseUp();
  // True when the duration was taken from the mouse (the caller keeps its cursor).
  bool MouseMove(int x, int y);
  void KeyDown(const PianoKey& key);
  void KeyUp(const PianoKey& key);

  static bool HasBlackKey(int slot);
  static int OctaveOfWhite(int index) { return (index + 5) / 7 + 1; }
  static int StepOfWhite(int index) { return (index + 5) % 7 + 1; }

 private:
  bool Scrolls() const { return (style_ & msScrollOctave) != 0; }
  void Layout();
  void Changed() const;
  // The cell under y (-1 for none); the bottom cell takes what lies below it
  // when the strip does not scroll.
  int CellAt(int y) const;
  int BlackSlotAt(int x, int whiteIndex) const;
  int LetterIndex(char letter) const;
  void ReleaseMarks();

  int clientWidth_ = 0;
  int clientHeight_ = 0;
  unsigned style_ = kAllMusicStyles;
  int settingWidth_ = 30;
  int durationWidth_ = 6;
  int durationPosition_ = 0;
  int maxDuration_ = 6;
  int offsetDuration_ = 0;
  int maxOffsetDuration_ = 3;
  int octave_ = 5;
  int offsetOctave_ = 0;
  int maxOffsetOttave_ = 4;
  std::string keys_ = "CDEFGAB";
  int visible_ = kWhiteKeys;
  int keyWidth_ = 0;
  int right_ = 0;
  std::array<std::uint8_t, kWhiteKeys> white_{};
  std::array<std::uint8_t, kWhiteKeys> black_{};
  Button pressed_ = Button::None;
};

// How far the piano page's keyboard, `width` pixels wide, scrolls: the
// narrower it is, the more octaves lie out of view.
int PageMaxOffsetOctave(int width);

}  // namespace nv::editor
