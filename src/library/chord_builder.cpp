#include "library/chord_builder.h"

#include <algorithm>

namespace nv::library {

namespace {

constexpr std::string_view kLetters = "CDEFGAB";
constexpr int kShortest = 2;
constexpr int kLongest = 128;

template <std::size_t N>
std::vector<std::string> Texts(const std::array<std::string_view, N>& table) {
  return std::vector<std::string>(table.begin(), table.end());
}

std::string Of(const std::vector<std::string>& captions, int value) {
  return captions[value >= 0 && static_cast<std::size_t>(value) < captions.size() ? static_cast<std::size_t>(value) : 0];
}

int InRange(int value, int last) { return value >= 0 && value <= last ? value : 0; }

}  // namespace

int ValidChordDuration(int duration) {
  for (int d = kShortest; d <= kLongest; d *= 2)
    if (d == duration) return d;
  return 16;
}

const std::vector<std::string>& ExtensionCaptions() {
  static const std::vector<std::string> captions = [] {
    std::vector<std::string> texts = Texts(kExtensionTexts);
    texts[0] = "5";
    return texts;
  }();
  return captions;
}
const std::vector<std::string>& MinorCaptions() {
  static const std::vector<std::string> captions = Texts(kMinorTexts);
  return captions;
}
const std::vector<std::string>& MajorCaptions() {
  static const std::vector<std::string> captions = Texts(kMajorTexts);
  return captions;
}
const std::vector<std::string>& SusCaptions() {
  static const std::vector<std::string> captions = Texts(kSusTexts);
  return captions;
}
const std::vector<std::string>& OmitCaptions() {
  static const std::vector<std::string> captions = Texts(kOmitTexts);
  return captions;
}

std::string AlterationCaption(int slot, int alteration, int style) {
  const int kind = kAlterationKinds[static_cast<std::size_t>(std::clamp(slot, 0, 4))];
  if (alteration != 1 && alteration != 2) return AlterationText(kind, 0);
  return AlterationText(kind, std::clamp(style, 0, 3) * 2 + alteration);
}

int NextChordDuration(int duration) {
  const int valid = ValidChordDuration(duration);
  return valid >= kLongest ? kShortest : valid * 2;
}

DurationGlyph ChordDurationGlyph(int duration) {
  switch (duration) {
    case 2: return {62, 5, 0};
    case 4: return {61, 5, 0};
    case 8: return {60, 5, 0};
    case 16: return {59, 5, 0};
    case 32: return {58, 6, 0};
    case 64: return {46, 6, 0};
    default: return {65, 7, 10};
  }
}

void ChordBuilder::ShowCode(const std::vector<std::uint8_t>& code) {
  if (!NotesMode) AccordCodeToButtons(code, Buttons);
}

std::string ChordBuilder::RootCaption() const { return std::string(1, kLetters[static_cast<std::size_t>(InRange(Buttons.RootStep, 6))]); }
std::string ChordBuilder::BassCaption() const { return std::string(1, kLetters[static_cast<std::size_t>(InRange(Buttons.BassStep, 6))]); }
std::string ChordBuilder::ExtensionCaption() const { return Of(ExtensionCaptions(), Buttons.Extension); }
std::string ChordBuilder::MinorCaption() const { return Of(MinorCaptions(), Buttons.MinorStyle); }
std::string ChordBuilder::MajorCaption() const { return Of(MajorCaptions(), Buttons.MajorStyle); }
std::string ChordBuilder::SusCaption() const { return Of(SusCaptions(), Buttons.SusStyle); }
std::string ChordBuilder::OmitCaption() const { return Of(OmitCaptions(), Buttons.OmitStyle); }

std::string ChordBuilder::AlterationCaption(int slot) const {
  const auto index = static_cast<std::size_t>(std::clamp(slot, 0, 4));
  return nv::library::AlterationCaption(slot, Buttons.Alteration[index], Buttons.AlterationStyle);
}

}  // namespace nv::library
