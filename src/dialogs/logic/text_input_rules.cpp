#include "dialogs/logic/text_input_rules.h"

#include <algorithm>

namespace nv::dialogs::text_input {

const std::vector<int>& SizeItems() {
  static const std::vector<int> items = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
  return items;
}

std::optional<int> SizeItemOf(const std::string& typed) {
  const auto first = typed.find_first_not_of(' ');
  if (first == std::string::npos) return std::nullopt;
  const std::string trimmed = typed.substr(first, typed.find_last_not_of(' ') - first + 1);
  const auto& items = SizeItems();
  for (std::size_t i = 0; i < items.size(); ++i)
    if (std::to_string(items[i]) == trimmed) return static_cast<int>(i);
  return std::nullopt;
}

int KeptSize(int size) { return size == 0 ? kDefaultSize : std::clamp(size, kSmallestSize, kLargestSize); }

nv::platform::Color MemoBackground(nv::platform::Color text) {
  return text == nv::platform::colors::white ? kWhiteTextBackground : nv::platform::colors::white;
}

const std::vector<MusicCharacter>& MusicCharacters() {
  static const std::vector<MusicCharacter> characters = {
      {'$', "Violin"},  {'%', "Bass"},     {'&', "Alt"},     {',', "Whole"},   {'.', "Half"},
      {':', "Quarter"}, {';', "Eighth"},   {'<', "16th"},    {'M', "Rest 1/4"}, {'N', "Rest 1/8"},
      {'O', "Rest 1/16"}, {'b', "Flat"},   {'d', "Sharp"},   {'f', "Natural"}, {'j', "pp"},
      {'i', "p"},       {'l', "mp"},       {'n', "mf"},      {'o', "f"},       {'p', "ff"},
  };
  return characters;
}

}  // namespace nv::dialogs::text_input
