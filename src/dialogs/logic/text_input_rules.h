#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/colors.h"

namespace nv::dialogs::text_input {

inline constexpr int kSmallestSize = 4;
inline constexpr int kLargestSize = 72;
inline constexpr int kDefaultSize = 8;
// The memo's background behind white text, so that it shows.
inline constexpr nv::platform::Color kWhiteTextBackground = 0xC0DCC0;

// The size list's items.
const std::vector<int>& SizeItems();
// The item of a typed size (its text trimmed), or nothing when the list has
// none; a size of 0 is the default 8, and any size is kept within 4..72.
std::optional<int> SizeItemOf(const std::string& typed);
int KeptSize(int size);
nv::platform::Color MemoBackground(nv::platform::Color text);

// The notation characters the music panel inserts: character and hint.
struct MusicCharacter {
  char Character;
  const char* Hint;
};
const std::vector<MusicCharacter>& MusicCharacters();

}  // namespace nv::dialogs::text_input
