#pragma once

#include <array>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "document/click_insert.h"
#include "document/element_dialogs.h"
#include "document/score_edits.h"
#include "document/tool_sink.h"

namespace tool_fakes {

// Keeps what the tool state last told the score, and every call in order.
struct RecordingSink : nv::document::ToolSink {
  std::string Tool;
  bool Ghost = false;
  bool Insert = false;
  int Duration = 0;
  std::vector<std::string> KeyboardCursors;
  std::vector<std::string> Calls;

  void SetCurrentTool(const std::string& name) override {
    Tool = name;
    Calls.push_back("tool " + name);
  }
  void SetToolCursor(const std::string& name) override { Calls.push_back("screen " + name); }
  void SetKeyboardCursor(const std::string& name) override { KeyboardCursors.push_back(name); }
  void SetScoreNoteCursor(bool on) override {
    Ghost = on;
    Insert = false;
    Calls.push_back(on ? "ghost on" : "ghost off");
  }
  void SetNoteDuration(int value) override { Duration = value; }
  void SetScoreInsertFlag(bool on) override {
    Insert = on;
    Calls.push_back(on ? "insert on" : "insert off");
  }
};

// Every editing call as text, with the queries' answers set by the test.
struct RecordingEdits : nv::document::ScoreEdits {
  int ClefOffset = 0;
  std::array<int, 8> KeyAccidentals{};  // by step 1..7
  int Measure = 0;
  int PitchLine = 35;
  int Length = 128;
  std::vector<std::string> Calls;
  // Raised by the next edit when set.
  bool Fail = false;

  template <typename... Args>
  void Log(const char* name, Args... args) {
    if (Fail) throw std::runtime_error("the edit failed");
    std::ostringstream out;
    out << name << '(';
    [[maybe_unused]] const char* separator = "";
    ((out << separator << args, separator = ", "), ...);
    out << ')';
    Calls.push_back(out.str());
  }
  static std::string Bytes(const nv::document::NoteModifiers& m) {
    std::string text = "[";
    for (std::size_t i = 0; i < m.size(); ++i) text += (i ? "," : "") + std::to_string(m[i]);
    return text + "]";
  }

  int ClefOffsetAtCursor() const override { return ClefOffset; }
  int KeyAccidentalForStep(int step) const override { return KeyAccidentals.at(static_cast<std::size_t>(step)); }
  int CursorMeasure() const override { return Measure; }
  int CursorPitchLine() const override { return PitchLine; }
  int MeasureLength() const override { return Length; }
  nv::document::GraceNotesValues GraceNotesOf(TECNote*) const override { return {}; }

  void InsertNote(int step, int octave, int duration, const nv::document::NoteModifiers& m, int head, int drum,
                  int bracket, int flag) override {
    Log("InsertNote", step, octave, duration, Bytes(m), head, drum, bracket, flag);
  }
  void ReplaceWithChordNotes(const std::vector<int>& keys, int duration) override {
    std::string list = "[";
    for (std::size_t i = 0; i < keys.size(); ++i) list += (i ? "," : "") + std::to_string(keys[i]);
    Log("ReplaceWithChordNotes", list + "]", duration);
  }
  void InsertNoteAtCursorPitch(int duration) override { Log("InsertNoteAtCursorPitch", duration); }
  void InsertRest(int duration, const nv::document::NoteModifiers& m) override {
    Log("InsertRest", duration, Bytes(m));
  }
  void InsertRepeatSign(int kind, int count) override { Log("InsertRepeatSign", kind, count); }
  void AddMeasureSymbol(int code, int sub, int step, int octave, int value) override {
    Log("AddMeasureSymbol", code, sub, step, octave, value);
  }
  void AddInstrumentSymbol(int code, int a, int b) override { Log("AddInstrumentSymbol", code, a, b); }
  void SetClefAtCursor(int clef) override { Log("SetClefAtCursor", clef); }
  void SetKeySignatureAtCursor(int key) override { Log("SetKeySignatureAtCursor", key); }
  void SetTimeSignature(int n, int d, int style, bool whole) override { Log("SetTimeSignature", n, d, style, whole); }
  void AddTempoMark(int beat, int tempo) override { Log("AddTempoMark", beat, tempo); }
  void EraseElement(TECElement*) override { Log("EraseElement"); }
  void AddNoteEffect(TECElement*, int kind, int bracket, int value) override {
    Log("AddNoteEffect", kind, bracket, value);
  }
  void LinkNotes(TECNote* a, TECNote* b, int direction) override {
    Log("LinkNotes", a == b ? "same" : "two", direction);
    Linked.push_back({a, b});
  }
  void SetGraceNotes(TECNote*, const nv::document::GraceNotesValues& v) override {
    Log("SetGraceNotes", v.Options, v.Count, v.Duration);
  }
  void AddBarre(int style, int step, int octave, int length, int fret) override {
    Log("AddBarre", style, step, octave, length, fret);
  }
  void AddMeasureDrawing(const std::vector<const TECPageObject*>& objects, int step, int octave) override {
    Log("AddMeasureDrawing", objects.size(), step, octave);
  }
  void AddTextItems(const std::vector<std::string>& lines, const std::string& font, int size, int style,
                    std::int32_t colour, bool align, int step, int octave) override {
    Log("AddTextItems", lines.empty() ? "" : lines.front(), font, size, style, colour, align, step, octave);
  }
  std::vector<std::pair<TECNote*, TECNote*>> Linked;
};

// Dialogs that answer OK (or not) with set values, and count their openings.
struct ScriptedDialogs : nv::document::ElementDialogs {
  bool Ok = true;
  // Every dialog raises when set.
  bool Raise = false;
  int Opened = 0;
  int PauseAnswer = 3;
  nv::document::TempoValues Tempo{32, 96};
  int BarNumberAnswer = 5;
  int RehearsalAnswer = 7;
  nv::document::BarreValues Barre{0x12, 3};
  nv::document::PartNumberValues Part{2, 4};
  std::vector<std::string> TextLines{"dolce"};
  nv::document::TextInputValues LastText;
  nv::document::ImageValues Image{0, {}, 40, 30, true, false};
  nv::document::ImageValues LastImage;
  std::vector<TECChordPiece> ChordPieces{{{}, "Dm7"}};
  nv::document::ChordValues LastChord;
  int NoteInstrument = 4;
  nv::document::NotePropertiesValues LastNote;

  bool PauseCount(int& count) override {
    Open();
    count = PauseAnswer;
    return Ok;
  }
  bool TempoInput(nv::document::TempoValues& values) override { return Answer(values, Tempo); }
  bool GraceNotes(nv::document::GraceNotesValues& values) override {
    Open();
    values.Count = 2;
    return Ok;
  }
  bool BarNumber(int& position) override { return Answer(position, BarNumberAnswer); }
  bool PartNumber(nv::document::PartNumberValues& values) override { return Answer(values, Part); }
  bool RehearsalMarkCount(int& number, int) override { return Answer(number, RehearsalAnswer); }
  bool BarreProperties(nv::document::BarreValues& values) override { return Answer(values, Barre); }
  bool TextInput(nv::document::TextInputValues& values) override {
    Open();
    LastText = values;
    values.Lines = TextLines;
    return Ok;
  }
  bool ImageInput(nv::document::ImageValues& values) override {
    LastImage = values;
    return Answer(values, Image);
  }
  bool ChordEditor(nv::document::ChordValues& values) override {
    LastChord = values;
    return Answer(values, nv::document::ChordValues{ChordPieces});
  }
  bool NoteProperties(nv::document::NotePropertiesValues& values) override {
    LastNote = values;
    return Answer(values, nv::document::NotePropertiesValues{NoteInstrument});
  }

 private:
  void Open() {
    ++Opened;
    if (Raise) throw std::runtime_error("the dialog failed");
  }
  template <typename T>
  bool Answer(T& values, const T& answer) {
    Open();
    if (Ok) values = answer;
    return Ok;
  }
};

struct RecordingHost : nv::document::ClickHost {
  std::vector<std::array<int, 3>> Previews;
  int Focused = 0;
  int Errors = 0;
  int DrumKind = 4;

  void PreviewNote(int key, int length, int mode) override { Previews.push_back({key, length, mode}); }
  int ApplyDrumStyles() override { return DrumKind; }
  void FocusScore() override { ++Focused; }
  void ShowErrorMessage() override { ++Errors; }
};

}  // namespace tool_fakes
