#include "document/program_settings.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <variant>

#include "model/measure.h"
#include "platform/ini_file.h"

namespace nv::document {

namespace {

using Member = std::variant<bool ProgramSettings::*, int ProgramSettings::*, std::string ProgramSettings::*>;

struct Entry {
  const char* section;
  const char* key;
  Member member;
};

// Every key, in the order it is written.
const auto kEntries = std::to_array<Entry>({
    {"MainForm", "Bounds", &ProgramSettings::Bounds},
    {"MainForm", "WindowState", &ProgramSettings::WindowState},
    {"MainForm", "News", &ProgramSettings::News},
    {"MainForm", "GetNews", &ProgramSettings::GetNews},
    {"MainForm", "ToolsHeight", &ProgramSettings::ToolsHeight},
    {"MainForm", "ToolsDefHeight", &ProgramSettings::ToolsDefHeight},
    {"MainForm", "ToolsActive", &ProgramSettings::ToolsActive},
    {"MainForm", "ExDinamics", &ProgramSettings::ExDinamics},
    {"MainForm", "ExAccepts", &ProgramSettings::ExAccepts},
    {"MainForm", "ExFermata", &ProgramSettings::ExFermata},
    {"MainForm", "ExStrings", &ProgramSettings::ExStrings},
    {"MainForm", "ExBends", &ProgramSettings::ExBends},
    {"Tools", "CBResetNotes", &ProgramSettings::CBResetNotes},
    {"Tools", "CBResetSymbols", &ProgramSettings::CBResetSymbols},
    {"Tools", "CBResetTerm", &ProgramSettings::CBResetTerm},
    {"Tools", "Treole", &ProgramSettings::Treole},
    {"Tools", "Tremolo", &ProgramSettings::Tremolo},
    {"Tools", "KTreole", &ProgramSettings::KTreole},
    {"Tools", "KTremolo", &ProgramSettings::KTremolo},
    {"Tools", "Key", &ProgramSettings::Key},
    {"Tools", "Tone", &ProgramSettings::Tone},
    {"Tools", "TextName", &ProgramSettings::TextName},
    {"Tools", "TextSize", &ProgramSettings::TextSize},
    {"Tools", "TextColor", &ProgramSettings::TextColor},
    {"Tools", "FontBold", &ProgramSettings::FontBold},
    {"Tools", "FontItalic", &ProgramSettings::FontItalic},
    {"Tools", "FontUnderlite", &ProgramSettings::FontUnderlite},
    {"Tools", "FontStrikeOut", &ProgramSettings::FontStrikeOut},
    {"Tools", "BrushColor", &ProgramSettings::BrushColor},
    {"Tools", "BrushStyle", &ProgramSettings::BrushStyle},
    {"Tools", "LineColor", &ProgramSettings::LineColor},
    {"Tools", "LineStyle", &ProgramSettings::LineStyle},
    {"Tools", "PointStyle", &ProgramSettings::PointStyle},
    {"Tools", "LineWidth", &ProgramSettings::LineWidth},
    {"Tools", "TextRotate", &ProgramSettings::TextRotate},
    {"Tools", "ScoreSize", &ProgramSettings::ScoreSize},
    {"Tools", "ScoreSizeStyle", &ProgramSettings::ScoreSizeStyle},
    {"Tools", "MeasurePause", &ProgramSettings::MeasurePause},
    {"Tools", "RepeatBar", &ProgramSettings::RepeatBar},
    {"Tools", "RepeatNote", &ProgramSettings::RepeatNote},
    {"Tools", "KeyboardOffset", &ProgramSettings::KeyboardOffset},
    {"Tools", "KeyboardOffsetOctave", &ProgramSettings::KeyboardOffsetOctave},
    {"Tools", "Reverce", &ProgramSettings::Reverce},
    {"Tools", "ChordAbove", &ProgramSettings::ChordAbove},
    {"Tools", "BracketStyle", &ProgramSettings::BracketStyle},
    {"Tools", "ChordDuration", &ProgramSettings::ChordDuration},
    {"Tools", "ChordAddition", &ProgramSettings::ChordAddition},
    {"Tools", "FontTermName", &ProgramSettings::FontTermName},
    {"Tools", "FontTermBold", &ProgramSettings::FontTermBold},
    {"Tools", "FontTermItalic", &ProgramSettings::FontTermItalic},
    {"Tools", "FontTermStrikeOut", &ProgramSettings::FontTermStrikeOut},
    {"Tools", "FontTermUnderlite", &ProgramSettings::FontTermUnderlite},
    {"Tools", "FontTermSize", &ProgramSettings::FontTermSize},
    {"Tools", "FontTermColor", &ProgramSettings::FontTermColor},
    {"Tools", "GuitarDuration", &ProgramSettings::GuitarDuration},
    {"Tools", "GuitarKind", &ProgramSettings::GuitarKind},
    {"Tools", "DrumStyle", &ProgramSettings::DrumStyle},
    {"Tools", "MicroTone", &ProgramSettings::MicroTone},
    {"Tools", "Language", &ProgramSettings::Language},
    {"Tools", "StartModule", &ProgramSettings::StartModule},
    {"Record parameters", "Quantize", &ProgramSettings::Quantize},
    {"Record parameters", "AccentFirst", &ProgramSettings::AccentFirst},
    {"Record parameters", "FirstVelocity", &ProgramSettings::FirstVelocity},
    {"Record parameters", "OtherVelocity", &ProgramSettings::OtherVelocity},
    {"Record parameters", "Duration", &ProgramSettings::Duration},
    {"Editor", "SaveBackUp", &ProgramSettings::SaveBackUp},
    {"Editor", "LimitBackUp", &ProgramSettings::LimitBackUp},
    {"Editor", "CountBackUp", &ProgramSettings::CountBackUp},
    {"Editor", "AutoSave", &ProgramSettings::AutoSave},
    {"Editor", "Optimization", &ProgramSettings::Optimization},
    {"Editor", "IntervalAutosave", &ProgramSettings::IntervalAutosave},
    {"Effects", "PlayKeyboard", &ProgramSettings::PlayKeyboard},
    {"Effects", "PlayGuitar", &ProgramSettings::PlayGuitar},
    {"Effects", "PlayMouse", &ProgramSettings::PlayMouse},
    {"Effects", "PlayMIDI", &ProgramSettings::PlayMIDI},
    {"Effects", "ShowNoteHint", &ProgramSettings::ShowNoteHint},
    {"Effects", "ShowPianoNote", &ProgramSettings::ShowPianoNote},
    {"Effects", "AutoEffect", &ProgramSettings::AutoEffect},
    {"Effects", "AutoVelocity", &ProgramSettings::AutoVelocity},
    {"Effects", "Staccato", &ProgramSettings::Staccato},
    {"Effects", "Fermata", &ProgramSettings::Fermata},
    {"Effects", "Arpeggio", &ProgramSettings::Arpeggio},
    {"Properties", "PitchUp", &ProgramSettings::PitchUp},
    {"Properties", "PitchDown", &ProgramSettings::PitchDown},
    {"Properties", "BarUnionActive", &ProgramSettings::BarUnionActive},
    {"Properties", "BarUnionCount", &ProgramSettings::BarUnionCount},
    {"Properties", "RowPropertiesActive", &ProgramSettings::RowPropertiesActive},
    {"Properties", "FRowDisplayStyle", &ProgramSettings::FRowDisplayStyle},
    {"Properties", "RowDensity", &ProgramSettings::RowDensity},
    {"Properties", "RowMeasureCount", &ProgramSettings::RowMeasureCount},
    {"Properties", "RowHorzAlign", &ProgramSettings::RowHorzAlign},
    {"Properties", "RehearsalMarkNumeration", &ProgramSettings::RehearsalMarkNumeration},
    {"Properties", "RehearsalMarkKind", &ProgramSettings::RehearsalMarkKind},
    {"Properties", "RehearsalMarkBorderKind", &ProgramSettings::RehearsalMarkBorderKind},
    {"Properties", "RehearsalMarkBorderWidth", &ProgramSettings::RehearsalMarkBorderWidth},
    {"Properties", "RehearsalMarkNumber", &ProgramSettings::RehearsalMarkNumber},
    {"Dinamics", "PianoPianissimo", &ProgramSettings::PianoPianissimo},
    {"Dinamics", "Pianissimo", &ProgramSettings::Pianissimo},
    {"Dinamics", "Piano", &ProgramSettings::Piano},
    {"Dinamics", "MezzoPiano", &ProgramSettings::MezzoPiano},
    {"Dinamics", "FortePiano", &ProgramSettings::FortePiano},
    {"Dinamics", "MezzoForte", &ProgramSettings::MezzoForte},
    {"Dinamics", "Forte", &ProgramSettings::Forte},
    {"Dinamics", "Accentus", &ProgramSettings::Accentus},
    {"Dinamics", "Fortissimo", &ProgramSettings::Fortissimo},
    {"Dinamics", "ForteFortissimo", &ProgramSettings::ForteFortissimo},
    {"Dinamics", "SForzato", &ProgramSettings::SForzato},
    {"Dinamics", "ExtraForzato", &ProgramSettings::ExtraForzato},
    {"Dinamics", "Forzando", &ProgramSettings::Forzando},
    {"Dinamics", "SForzando", &ProgramSettings::SForzando},
    {"Dinamics", "Crechendo", &ProgramSettings::Crechendo},
    {"Dinamics", "Diminuendo", &ProgramSettings::Diminuendo},
    {"Accords", "ChordNote", &ProgramSettings::ChordNote},
    {"Accords", "ChordBase", &ProgramSettings::ChordBase},
    {"Accords", "ChordBemol", &ProgramSettings::ChordBemol},
    {"Accords", "ChordDiesis", &ProgramSettings::ChordDiesis},
    {"Accords", "ChordMinor", &ProgramSettings::ChordMinor},
    {"Accords", "ChordMajor", &ProgramSettings::ChordMajor},
    {"Accords", "ChordSus", &ProgramSettings::ChordSus},
    {"Accords", "ChordOmit", &ProgramSettings::ChordOmit},
    {"Accords", "ChordBracket", &ProgramSettings::ChordBracket},
    {"Accords", "ChordAdd", &ProgramSettings::ChordAdd},
    {"Accords", "ChordAddStyle", &ProgramSettings::ChordAddStyle},
    {"Accords", "ChordAdd5", &ProgramSettings::ChordAdd5},
    {"Accords", "ChordAdd7", &ProgramSettings::ChordAdd7},
    {"Accords", "ChordAdd9", &ProgramSettings::ChordAdd9},
    {"Accords", "ChordAdd11", &ProgramSettings::ChordAdd11},
    {"Accords", "ChordAdd13", &ProgramSettings::ChordAdd13},
    {"Devices", "OutputDevice", &ProgramSettings::OutputDevice},
    {"Devices", "InputDevice", &ProgramSettings::InputDevice},});

constexpr char kAccords[] = "Accords";
constexpr char kAccordMax[] = "AccordMax";

void Clamp(int& value, int low, int high) { value = std::clamp(value, low, high); }

// A choice outside low..high takes `fallback`.
void Choose(int& value, int low, int high, int fallback) {
  if (value < low || value > high) value = fallback;
}

void CheckValues(ProgramSettings& s) {
  const ProgramSettings designed;
  Choose(s.Key, 0, 14, designed.Key);
  Choose(s.Tone, 0, 17, designed.Tone);
  Choose(s.ScoreSizeStyle, 0, 2, designed.ScoreSizeStyle);
  Choose(s.BracketStyle, 0, 2, designed.BracketStyle);
  Choose(s.GuitarKind, 0, 1, designed.GuitarKind);
  const int micro = s.MicroTone;
  if (!((micro >= 1 && micro <= 4) || (micro >= 33 && micro <= 37) || micro == 48)) s.MicroTone = designed.MicroTone;
  if (s.ScoreSize < 0 || s.ScoreSize > 0xFFFF || !ValidTimeSignature(s.ScoreSize >> 8, s.ScoreSize & 0xFF))
    s.ScoreSize = designed.ScoreSize;
  if (s.ScoreSizeStyle == 0 && s.ScoreSize == 257) s.ScoreSizeStyle = 1;
  Clamp(s.MeasurePause, 1, 999);
  Clamp(s.Treole, 2, 10);
  Clamp(s.Tremolo, 1, 4);
  Clamp(s.KTreole, 2, 10);
  Clamp(s.KTremolo, 1, 4);
  Clamp(s.RepeatBar, 0, 1);
  Clamp(s.RepeatNote, 0, 2);
  Choose(s.Quantize, 1, 128, designed.Quantize);
  Clamp(s.Duration, 1, 16);
  Clamp(s.FirstVelocity, 0, 127);
  Clamp(s.OtherVelocity, 0, 127);
  for (int* velocity : {&s.PianoPianissimo, &s.Pianissimo, &s.Piano, &s.MezzoPiano, &s.FortePiano, &s.MezzoForte,
                        &s.Forte, &s.Accentus, &s.Fortissimo, &s.ForteFortissimo, &s.SForzato, &s.ExtraForzato,
                        &s.Forzando, &s.SForzando, &s.Crechendo, &s.Diminuendo})
    Clamp(*velocity, 0, 127);
  Clamp(s.Staccato, 1, 8);
  Clamp(s.Fermata, 1, 8);
  Clamp(s.Arpeggio, 1, 8);
  Choose(s.RehearsalMarkKind, 0, 1, designed.RehearsalMarkKind);
  Choose(s.RehearsalMarkBorderKind, 0, 2, designed.RehearsalMarkBorderKind);
  Clamp(s.RehearsalMarkBorderWidth, 0, 3);
  Clamp(s.TextSize, 1, 200);
  if (s.ToolsDefHeight == 0) s.ToolsDefHeight = designed.ToolsDefHeight;
}

}  // namespace

std::uint8_t ProgramSettings::RehearsalMarkStyle() const {
  return static_cast<std::uint8_t>(((RehearsalMarkKind + 1) << 6) | (RehearsalMarkBorderKind << 2) |
                                   RehearsalMarkBorderWidth);
}

void ReadProgramSettings(const platform::IniFile& file, ProgramSettings& settings) {
  for (const Entry& entry : kEntries) {
    std::visit(
        [&](auto member) {
          auto& value = settings.*member;
          using Value = std::remove_reference_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, bool>)
            value = file.ReadBool(entry.section, entry.key, value);
          else if constexpr (std::is_same_v<Value, int>)
            value = file.ReadInteger(entry.section, entry.key, value);
          else
            value = file.ReadString(entry.section, entry.key, value);
        },
        entry.member);
  }
  settings.AccordMax = file.ReadInteger(kAccords, kAccordMax, settings.AccordMax);
  CheckValues(settings);
}

void WriteProgramSettings(const ProgramSettings& settings, platform::IniFile& file) {
  for (const Entry& entry : kEntries) {
    std::visit(
        [&](auto member) {
          const auto& value = settings.*member;
          using Value = std::remove_cvref_t<decltype(value)>;
          if constexpr (std::is_same_v<Value, bool>)
            file.WriteBool(entry.section, entry.key, value);
          else if constexpr (std::is_same_v<Value, int>)
            file.WriteInteger(entry.section, entry.key, value);
          else
            file.WriteString(entry.section, entry.key, value);
        },
        entry.member);
  }
  file.DeleteKey(kAccords, kAccordMax);
}

int AutosaveIntervalMs(int choice) {
  constexpr std::array<int, 4> kMinutes = {5, 10, 20, 30};
  if (choice >= 0 && choice < static_cast<int>(kMinutes.size())) return kMinutes[static_cast<std::size_t>(choice)] * 60'000;
  return 3'200'000;
}

}  // namespace nv::document
