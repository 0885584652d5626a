#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace nv::platform {
class IniFile;
}

namespace nv::document {

// A font style as the texts store it: one bit for each of these.
inline constexpr int kFontBold = 1;
inline constexpr int kFontItalic = 2;
inline constexpr int kFontUnderline = 4;
inline constexpr int kFontStrikeOut = 8;

constexpr int FontStyleMask(bool bold, bool italic, bool underline, bool strikeOut) {
  return (bold ? kFontBold : 0) | (italic ? kFontItalic : 0) | (underline ? kFontUnderline : 0) |
         (strikeOut ? kFontStrikeOut : 0);
}

// Every value the main window keeps in the settings file between runs, with
// the value it has before any file is read. The members are named after
// their keys; the sections are those of the file.
struct ProgramSettings {
  // [MainForm]
  std::string Bounds = "0,0,800,600";  // "Left,Top,Width,Height"; see ParseWindowBounds
  std::string WindowState = "wsNormal";
  bool News = false;
  bool GetNews = false;
  int ToolsHeight = 96;
  int ToolsDefHeight = 96;
  int ToolsActive = 0;
  bool ExDinamics = false;
  bool ExAccepts = false;
  bool ExFermata = false;
  bool ExStrings = false;
  bool ExBends = false;

  // [Tools]
  bool CBResetNotes = false;
  bool CBResetSymbols = false;
  bool CBResetTerm = true;
  int Treole = 2;
  int Tremolo = 1;
  int KTreole = 2;
  int KTremolo = 1;
  int Key = 0;
  int Tone = 0;
  std::string TextName = "Arial";
  int TextSize = 8;
  int TextColor = 0;
  bool FontBold = false;
  bool FontItalic = false;
  bool FontUnderlite = false;
  bool FontStrikeOut = false;
  int BrushColor = 0;
  int BrushStyle = 0;
  int LineColor = 0;
  int LineStyle = 0;
  int PointStyle = 1;
  int LineWidth = 1;
  int TextRotate = 0;
  int ScoreSize = 1028;  // numerator << 8 | denominator: 4/4
  int ScoreSizeStyle = 0;
  int MeasurePause = 2;
  int RepeatBar = 0;
  int RepeatNote = 0;
  int KeyboardOffset = 0;
  int KeyboardOffsetOctave = 2;
  bool Reverce = false;
  bool ChordAbove = false;
  int BracketStyle = 0;
  int ChordDuration = 16;
  bool ChordAddition = true;
  std::string FontTermName = "Arial";
  bool FontTermBold = false;
  bool FontTermItalic = false;
  bool FontTermStrikeOut = false;
  bool FontTermUnderlite = false;
  int FontTermSize = 8;
  int FontTermColor = 0;
  int GuitarDuration = 16;
  int GuitarKind = 0;
  int DrumStyle = 0;
  int MicroTone = 1;
  std::string Language;  // empty until the start-up rule chooses one (ChooseInterfaceLanguage)
  bool StartModule = true;

  // [Record parameters]
  int Quantize = 16;
  bool AccentFirst = true;
  int FirstVelocity = 127;
  int OtherVelocity = 100;
  int Duration = 1;

  // [Editor]
  bool SaveBackUp = true;
  bool LimitBackUp = true;
  int CountBackUp = 1;
  bool AutoSave = false;
  bool Optimization = true;
  int IntervalAutosave = 2;  // see AutosaveIntervalMs

  // [Effects]
  bool PlayKeyboard = true;
  bool PlayGuitar = true;
  bool PlayMouse = true;
  bool PlayMIDI = true;
  bool ShowNoteHint = true;
  bool ShowPianoNote = true;
  bool AutoEffect = true;
  bool AutoVelocity = true;
  int Staccato = 4;
  int Fermata = 2;
  int Arpeggio = 4;

  // [Properties]
  int PitchUp = 1;
  int PitchDown = 1;
  bool BarUnionActive = false;
  int BarUnionCount = 0;
  bool RowPropertiesActive = false;
  int FRowDisplayStyle = 0;
  bool RowDensity = false;
  int RowMeasureCount = 3;
  bool RowHorzAlign = false;
  int RehearsalMarkNumeration = 0;
  int RehearsalMarkKind = 0;
  int RehearsalMarkBorderKind = 1;
  int RehearsalMarkBorderWidth = 1;
  int RehearsalMarkNumber = 0;

  // [Dinamics]: MIDI velocities
  int PianoPianissimo = 24;
  int Pianissimo = 34;
  int Piano = 44;
  int MezzoPiano = 54;
  int FortePiano = 64;
  int MezzoForte = 74;
  int Forte = 84;
  int Accentus = 20;
  int Fortissimo = 94;
  int ForteFortissimo = 104;
  int SForzato = 54;
  int ExtraForzato = 74;
  int Forzando = 84;
  int SForzando = 94;
  int Crechendo = 40;
  int Diminuendo = 40;

  // [Accords]
  int ChordNote = 0;
  int ChordBase = 0;
  bool ChordBemol = false;
  bool ChordDiesis = false;
  int ChordMinor = 0;
  int ChordMajor = 0;
  int ChordSus = 0;
  int ChordOmit = 0;
  bool ChordBracket = false;
  bool ChordAdd = false;
  int ChordAddStyle = 0;
  int ChordAdd5 = 0;
  int ChordAdd7 = 0;
  int ChordAdd9 = 0;
  int ChordAdd11 = 0;
  int ChordAdd13 = 0;
  // Read only, to choose where the chord library comes from; deleted at
  // every write. Below 1 (or missing) means "Chords.ini".
  int AccordMax = 0;

  // [Devices]
  int OutputDevice = 0;
  int InputDevice = 0;

  // The rehearsal mark's style byte: ((kind + 1) << 6) | (border << 2) | width.
  std::uint8_t RehearsalMarkStyle() const;
};

// Reads every key from `file`; a missing key keeps the member's value.
// The file is text a user can edit, so a value that indexes a table, divides
// or goes out as a MIDI byte is checked: a choice outside its set keeps the
// member's value, a magnitude is clamped to its range.
void ReadProgramSettings(const platform::IniFile& file, ProgramSettings& settings);

// Writes every key in the order of the sections above, leaving every other
// key of the file alone, and deletes [Accords] AccordMax.
void WriteProgramSettings(const ProgramSettings& settings, platform::IniFile& file);

// The autosave interval of the IntervalAutosave choice: 0 = 5 minutes,
// 1 = 10, 2 = 20, 3 = 30, any other value 3,200,000 ms.
int AutosaveIntervalMs(int choice);

}  // namespace nv::document
