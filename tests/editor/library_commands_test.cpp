#include "editor/library_commands.h"

#include <gtest/gtest.h>

#include "document/command_registry.h"
#include "document/document_fixture.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "library/chord_builder.h"
#include "library/library_store.h"
#include "library/library_fixture.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/page_objects.h"
#include "model/row.h"

namespace nv::editor {
namespace {

using namespace nv::library;

using library_fixture::LibraryFolder;

std::unique_ptr<TECAccordDescription> ChordTemplate(const std::string& name, const std::vector<std::string>& notes,
                                                    std::vector<TECChordPiece> pieces) {
  auto chord = std::make_unique<TECAccordDescription>();
  chord->Name = name;
  chord->Pieces = std::move(pieces);
  for (const std::string& spelled : notes) {
    TECNote note(ek::NoteKindOfStep(static_cast<int>(std::string("CDEFGAB").find(spelled[0])) + 1));
    note.Octave = 5;
    note.Value = note.Length = 32;
    if (spelled.size() > 1) note.Attributes.push_back(std::make_unique<TECNoteAttribute>(ek::Flat, &note));
    chord->AddVariant(note);
  }
  return chord;
}

class LibraryCommandsTest : public LibraryFolder {
 protected:
  void SetUp() override {
    LibraryFolder::SetUp();
    store = std::make_unique<LibraryStore>(Folder(), ui_);
    std::vector<std::unique_ptr<TECAccordDescription>> chords;
    chords.push_back(ChordTemplate("m", {"C", "Eb", "G"}, {MakeChordPiece("m", 0, 1)}));
    chords.push_back(ChordTemplate("maj7", {"C", "E", "G", "B"}, {MakeChordPiece("maj7", 0, 1)}));
    for (auto& chord : chords) {
      chord->SaveTemplate(Folder());
      store->AddChordToPalette(std::move(chord));
    }
    auto symbol = std::make_unique<TECSymbolDescription>();
    symbol->Name = "box";
    symbol->AddElement(std::make_unique<TECPageShape>(ek::PageRectangle));
    store->AddSymbolToPalette(std::move(symbol));
    store->SetTerms({{"dolce", 0, 0, 0}, {"forte", 1, 0, 84}});
    AddLibraryCommands(registry, {*store, builder, tools, [this] { return active; }});
    score().GoToMeasure(1);
  }

  TECMusicScore& score() { return document->Score(); }
  TECMeasure& Measure(int m) { return *score().CurrentInstrument()->GetRow(0)->GetMeasure(m); }
  int CursorOctave() { return score().CursorPitch() / 7; }

  // The notes of measure 1 as "D5", "F#5" ..., lowest first.
  std::vector<std::string> ChordNotes() {
    std::vector<std::pair<int, std::string>> notes;
    for (const auto& note : Measure(1).Notes) {
      std::string text(1, "CDEFGAB"[ek::NoteStep(note->Kind) - 1]);
      for (const auto& attribute : note->Attributes) {
        if (attribute->Kind == ek::Sharp) text += "#";
        if (attribute->Kind == ek::Flat) text += "b";
      }
      notes.emplace_back(note->Diatonic(), text + std::to_string(note->Octave));
    }
    std::sort(notes.begin(), notes.end());
    std::vector<std::string> texts;
    for (auto& [line, text] : notes) texts.push_back(text);
    return texts;
  }

  const TECChordSymbol* SymbolAtCursor() {
    for (const auto& item : Measure(1).Items)
      if (item->Kind == ek::ChordSymbol) return static_cast<const TECChordSymbol*>(item.get());
    return nullptr;
  }

  std::string Index(std::string_view name) {
    for (std::size_t i = 0; i < store->Chords().size(); ++i)
      if (store->Chords()[i]->Name == name) return std::to_string(i);
    return "none";
  }

  std::unique_ptr<LibraryStore> store;
  document::ProgramSettings settings;
  document::ToolState tools{settings};
  ChordBuilder builder;
  document::CommandRegistry registry;
  std::unique_ptr<document::ScoreDocument> document = document_fixture::LoadedDocument();
  document::ScoreDocument* active = document.get();
};

TEST_F(LibraryCommandsTest, ATemplateGoesInAsNotesOnTheBuildersRoot) {
  builder.NotesMode = true;
  builder.Duration = 32;
  struct Case {
    const char* chord;
    ChordRoot root;
    std::vector<std::string> notes;
  };
  // The template's fixed octave 5 stands.
  const Case cases[] = {
      {"maj7", {1, false, false}, {"D5", "F#5", "A5", "C#6"}},
      {"maj7", {6, false, true}, {"Bb5", "D6", "F6", "A6"}},
      {"maj7", {0, true, false}, {"C#5", "E#5", "G#5", "B#5"}},
      {"m", {1, false, false}, {"D5", "F5", "A5"}},
  };
  for (const Case& c : cases) {
    builder.Buttons.RootStep = c.root.Step;
    builder.Buttons.RootSharp = c.root.Sharp;
    builder.Buttons.RootFlat = c.root.Flat;
    ASSERT_TRUE(registry.Run(library_command::InsertChordTemplate, {Index(c.chord)}));
    EXPECT_EQ(ChordNotes(), c.notes) << c.chord << " on " << c.root.Step;
    score().GoToMeasure(1);
  }
  // Each insertion replaced the last and is one step to undo.
  score().Undo(1);
  EXPECT_EQ(ChordNotes(), (std::vector<std::string>{"C#5", "E#5", "G#5", "B#5"}));
}

TEST_F(LibraryCommandsTest, ATemplateGoesInAsAChordSymbolWithoutCode) {
  builder.NotesMode = false;
  builder.Buttons.RootStep = 1;
  builder.Buttons.RootSharp = true;
  ASSERT_TRUE(registry.Run(library_command::InsertChordTemplate, {Index("m")}));
  const TECChordSymbol* symbol = SymbolAtCursor();
  ASSERT_NE(symbol, nullptr);
  ASSERT_EQ(symbol->Pieces.size(), 2u);
  EXPECT_EQ(symbol->Pieces[0].Text, "D#");
  EXPECT_EQ(symbol->Pieces[1].Text, "m");
  EXPECT_EQ(symbol->Code, (std::vector<std::uint8_t>{0, 0}));
}

TEST_F(LibraryCommandsTest, TheBuiltSlashChordPutsTheBassAnOctaveBelow) {
  builder.NotesMode = true;
  builder.Buttons.Bass = true;
  builder.Buttons.BassStep = 2;
  const int octave = CursorOctave();
  ASSERT_TRUE(registry.Run(library_command::InsertBuiltChord));
  const auto at = [](const char* letter, int o) { return letter + std::to_string(o); };
  EXPECT_EQ(ChordNotes(), (std::vector<std::string>{at("E", octave - 1), at("C", octave), at("E", octave),
                                                     at("G", octave)}));
  ASSERT_TRUE(registry.Run(library_command::RemoveChord));
  EXPECT_TRUE(ChordNotes().empty());
}

TEST_F(LibraryCommandsTest, TheBuiltChordGoesInAsAChordSymbolWithItsCode) {
  builder.NotesMode = false;
  builder.Above = true;
  builder.Buttons.Minor = true;
  builder.Buttons.Extension = 2;
  ASSERT_TRUE(registry.Run(library_command::InsertBuiltChord));
  const TECChordSymbol* symbol = SymbolAtCursor();
  ASSERT_NE(symbol, nullptr);
  EXPECT_EQ(symbol->Code, builder.Code());
  std::string text;
  for (const auto& piece : symbol->Pieces) text += piece.Text;
  EXPECT_EQ(text, "Cm7");
  ASSERT_TRUE(registry.Run(library_command::RemoveChord));
  EXPECT_EQ(SymbolAtCursor(), nullptr);
}

TEST_F(LibraryCommandsTest, WithoutADocumentNothingIsInserted) {
  active = nullptr;
  EXPECT_FALSE(registry.IsEnabled(library_command::InsertBuiltChord));
  EXPECT_FALSE(registry.Run(library_command::InsertBuiltChord));
  EXPECT_FALSE(registry.Run(library_command::InsertChordTemplate, {"0"}));
  EXPECT_EQ(score().UndoCount(), 0);
  // A symbol still becomes the tool.
  EXPECT_TRUE(registry.Run(library_command::ChooseSymbol, {"0"}));
  EXPECT_EQ(tools.LibrarySymbol().size(), 1u);
}

TEST_F(LibraryCommandsTest, ASymbolArmsTheUserSymbolToolAndReleasesPoint) {
  ASSERT_TRUE(tools.IsDown("CBPointExpanded"));
  ASSERT_TRUE(registry.Run(library_command::ChooseSymbol, {"0"}));
  EXPECT_FALSE(tools.IsDown("CBPointExpanded"));
  ASSERT_EQ(tools.LibrarySymbol().size(), 1u);
  EXPECT_EQ(tools.LibrarySymbol()[0], store->Symbols()[0]->Elements()[0].get());
  ASSERT_TRUE(registry.Run(library_command::ChooseTerm, {"1"}));
  EXPECT_EQ(tools.CurrentTerm(), "forte");
}

TEST_F(LibraryCommandsTest, AWrongIndexIsReportedNotRun) {
  struct Reporter : document::ErrorReporter {
    void Report(const std::string& id, const std::string& message) override { Log.push_back(id + ": " + message); }
    std::vector<std::string> Log;
  } reporter;
  registry.SetReporter(&reporter);
  EXPECT_FALSE(registry.Run(library_command::InsertChordTemplate, {"7"}));
  EXPECT_FALSE(registry.Run(library_command::ChooseTerm, {"x"}));
  EXPECT_FALSE(registry.Run(library_command::ChooseSymbol, {}));
  EXPECT_EQ(reporter.Log.size(), 3u);
  EXPECT_EQ(score().UndoCount(), 0);
}

}  // namespace
}  // namespace nv::editor
