#include "dialogs/logic/staff_names.h"

#include <array>

#include "dialogs/logic/key_signature_map.h"

namespace nv::dialogs {
namespace {

constexpr std::array<const char*, 15> kClefNames = {
    "Violin", "Bass",         "Alt",        "Violin octava", "Violin octava basso",
    "Bass octava basso",      "Bariton(Bass)", "Tenor",     "Soprano",       "Mezzosoprano",
    "Bariton(C)",             "Violin",     "Tablature",    "Percussion 1",  "Percussion 2"};

constexpr std::array<const char*, 12> kNoteNames = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb", "B"};

}  // namespace

std::string ClefName(int code) {
  if (code < 0 || code > static_cast<int>(kClefNames.size())) return {};
  return kClefNames[static_cast<std::size_t>(ClefIndexOf(code))];
}

std::string KeyName(int tone) { return key_signature::NameOf(KeyIndexOf(tone)); }

std::string PitchName(int pitch) {
  if (pitch < 0) return {};
  return kNoteNames[static_cast<std::size_t>(pitch % 12)] + std::to_string(pitch / 12 - 1);
}

}  // namespace nv::dialogs
