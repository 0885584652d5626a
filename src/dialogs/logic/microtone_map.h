#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nv::dialogs::microtone {

// One button of the microtone palette: the code it gives, its hint and its
// music-font character.
struct Choice {
  int code;
  const char* hint;
  std::uint8_t glyph;
};

// Page 0 ("1"): quarter tones; page 1 ("2"): eighth tones with arrows.
const std::vector<Choice>& Page(int page);

// The page a code is shown on (1 for codes above 32) and its button there,
// or -1 when the page has none.
struct Place {
  int page;
  int button;
};
Place PlaceOf(int code);

}  // namespace nv::dialogs::microtone
