#include "library/chord_builder.h"

#include <algorithm>

#include "document/program_settings.h"

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

int ValidDuration(int duration) {
  for (int d = kShortest; d <= kLongest; d *= 2)
    if (d == duration) return d;
  return 16;
}

}  // namespace

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
  const int valid = ValidDuration(duration);
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

void ChordBuilder::Load(const nv::document::ProgramSettings& s) {
  ChordButtons& b = Buttons;
  b.RootStep = InRange(s.ChordNote, 6);
  b.Extension = InRange(s.ChordBase, 5);
  b.RootFlat = s.ChordBemol;
  b.RootSharp = s.ChordDiesis && !s.ChordBemol;
  b.MinorStyle = InRange(s.ChordMinor, 2);
  b.MajorStyle = InRange(s.ChordMajor, 1);
  b.SusStyle = InRange(s.ChordSus, 2);
  b.OmitStyle = InRange(s.ChordOmit, 3);
  b.Brackets = s.ChordBracket;
  b.Add = s.ChordAdd;
  b.AlterationStyle = std::clamp(s.ChordAddStyle, 0, 3);
  const int alterations[] = {s.ChordAdd5, s.ChordAdd7, s.ChordAdd9, s.ChordAdd11, s.ChordAdd13};
  for (std::size_t i = 0; i < b.Alteration.size(); ++i) b.Alteration[i] = InRange(alterations[i], 2);
  Above = s.ChordAbove;
  Duration = ValidDuration(s.ChordDuration);
  NotesMode = !s.ChordAddition;
}

void ChordBuilder::Store(nv::document::ProgramSettings& s) const {
  const ChordButtons& b = Buttons;
  s.ChordNote = b.RootStep;
  s.ChordBase = b.Extension;
  s.ChordBemol = b.RootFlat;
  s.ChordDiesis = b.RootSharp;
  s.ChordMinor = b.MinorStyle;
  s.ChordMajor = b.MajorStyle;
  s.ChordSus = b.SusStyle;
  s.ChordOmit = b.OmitStyle;
  s.ChordBracket = b.Brackets;
  s.ChordAdd = b.Add;
  s.ChordAddStyle = b.AlterationStyle;
  s.ChordAdd5 = b.Alteration[0];
  s.ChordAdd7 = b.Alteration[1];
  s.ChordAdd9 = b.Alteration[2];
  s.ChordAdd11 = b.Alteration[3];
  s.ChordAdd13 = b.Alteration[4];
  s.ChordAbove = Above;
  s.ChordDuration = Duration;
  s.ChordAddition = !NotesMode;
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
