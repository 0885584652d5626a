#pragma once

#include <string>

namespace nv::dialogs::key_signature {

// Key codes: 0 no accidentals, 1..7 that many sharps, 11..17 1..7 flats.
// The palette's fifteen buttons: C major and the sharps (positions 0..7),
// then the flats (positions 8..14).
inline constexpr int kButtonCount = 15;

// The button of a key code, or -1 for a code no button has.
int PositionOf(int code);
// The key code of a button position 0..14.
int CodeAt(int position);
// The key's name ("C-dur", "Fis-dur", "Es-dur" ...), empty for a code no button has.
std::string NameOf(int code);

// The code a digit key 0..9 chooses with Shift (sharps, Shift+0 is C major)
// or Alt (flats from 1), or -1 when the combination chooses none.
int CodeForKey(int digit, bool shift, bool alt);

// The offset in pixels of accidental `index` (0 the first) from the staff's
// first line: its drawing point, 12 pixels above the line plus the key's
// line distances of 6 pixels, and its x from the button's left edge.
struct AccidentalPlace {
  int x;
  int y;
};
AccidentalPlace AccidentalAt(bool flats, int index);

// The staff and the accidentals drawn on a button of `height` pixels: the
// first line's offset from the top.
inline int FirstLineOffset(int height) { return (height - 24) / 2; }

}  // namespace nv::dialogs::key_signature
