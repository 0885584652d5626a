#include "editor/library_commands.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "document/command_registry.h"
#include "document/score_document.h"
#include "document/tool_state.h"
#include "library/chord_builder.h"
#include "library/chord_insertion.h"
#include "library/library_store.h"

namespace nv::editor {

using namespace nv::library;

namespace {

using nv::document::CommandArgs;
using nv::document::ScoreDocument;

// The template index a command is given; raises for a missing or wrong one,
// which the registry reports.
std::size_t IndexArgument(const CommandArgs& args, std::size_t size) {
  if (args.size() != 1) throw std::invalid_argument("The command takes the template's index");
  std::size_t used = 0;
  const unsigned long index = std::stoul(args[0], &used);
  if (used != args[0].size() || index >= size) throw std::out_of_range("No template " + args[0]);
  return index;
}

// The octave of the score's cursor line.
int CursorOctave(const TECMusicScore& score) {
  const int line = score.CursorPitch();
  return line >= 0 ? line / 7 : 0;
}

void InsertNotes(TECMusicScore& score, const std::vector<TECChordEntry>& entries, int duration) {
  score.ReplaceWithChordNotes(entries, true, duration);
}

}  // namespace

void AddLibraryCommands(nv::document::CommandRegistry& registry, LibraryCommandContext context) {
  const auto withDocument = [active = context.ActiveDocument] { return active() != nullptr; };

  registry.Add({library_command::InsertBuiltChord, "Insert chord", 0, {},
                [context](const CommandArgs&) {
                  ScoreDocument* document = context.ActiveDocument();
                  if (document == nullptr) return;
                  TECMusicScore& score = document->Score();
                  const ChordBuilder& builder = context.Builder;
                  const std::vector<std::uint8_t> code = builder.Code();
                  if (builder.NotesMode) {
                    InsertNotes(score, CodeChordEntries(code, CursorOctave(score)), builder.Duration);
                  } else {
                    std::vector<TECChordPiece> pieces;
                    AccordCodeToText(code, pieces);
                    score.SetChordSymbol(&code, &pieces, builder.Above);
                  }
                },
                withDocument, {}});

  registry.Add({library_command::RemoveChord, "Remove chord", 0, {},
                [context](const CommandArgs&) {
                  ScoreDocument* document = context.ActiveDocument();
                  if (document == nullptr) return;
                  if (context.Builder.NotesMode)
                    InsertNotes(document->Score(), {}, context.Builder.Duration);
                  else
                    document->Score().RemoveChordSymbol(0);
                },
                withDocument, {}});

  registry.Add({library_command::InsertChordTemplate, "Insert chord template", 0, {},
                [context](const CommandArgs& args) {
                  const std::size_t index = IndexArgument(args, context.Store.Chords().size());
                  ScoreDocument* document = context.ActiveDocument();
                  if (document == nullptr) return;
                  TECAccordDescription& chord = *context.Store.Chords()[index];
                  if (!chord.Loaded) chord.LoadTemplate(context.Store.Folder());
                  TECMusicScore& score = document->Score();
                  const ChordBuilder& builder = context.Builder;
                  if (builder.NotesMode) {
                    InsertNotes(score, TemplateChordEntries(chord, builder.Root(), CursorOctave(score)),
                                builder.Duration);
                  } else {
                    const std::vector<TECChordPiece> pieces = TemplateChordPieces(chord, builder.Root());
                    score.SetChordSymbol(nullptr, &pieces, builder.Above);
                  }
                },
                withDocument, {}});

  registry.Add({library_command::ChooseSymbol, "Choose symbol", 0, {},
                [context](const CommandArgs& args) {
                  const std::size_t index = IndexArgument(args, context.Store.Symbols().size());
                  TECSymbolDescription& symbol = *context.Store.Symbols()[index];
                  if (!symbol.Loaded) symbol.LoadTemplate(context.Store.Folder());
                  std::vector<const TECPageObject*> objects;
                  for (const auto& element : symbol.Elements()) objects.push_back(element.get());
                  context.Tools.ClickLibrarySymbol(std::move(objects));
                },
                {}, {}});

  registry.Add({library_command::ChooseTerm, "Choose term", 0, {},
                [context](const CommandArgs& args) {
                  const std::size_t index = IndexArgument(args, context.Store.Terms().size());
                  context.Tools.ClickTerm(context.Store.Terms()[index].Name);
                },
                {}, {}});
}

}  // namespace nv::editor
