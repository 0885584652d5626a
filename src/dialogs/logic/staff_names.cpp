#include "dialogs/logic/staff_names.h"

#include <array>

#include "dialogs/logic/clef_glyph_painter.h"
#include "dialogs/logic/key_signature_map.h"

namespace nv::dialogs {
namespace {

constexpr std::array<const char*, 12> kNoteNames = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb", "B"};

}  // namespace

std::string ClefCodeName(int code) {
  if (code < 0 || code > kClefCount) return {};
  return ClefName(ClefIndexOf(code));
}

std::string KeyName(int tone) { return key_signature::NameOf(KeyIndexOf(tone)); }

std::string PitchName(int pitch) {
  if (pitch < 0) return {};
  return kNoteNames[static_cast<std::size_t>(pitch % 12)] + std::to_string(pitch / 12 - 1);
}

}  // namespace nv::dialogs
