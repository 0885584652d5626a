#include "library/default_libraries.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "library/accord_description.h"
#include "library/chord_code.h"
#include "library/drum_map_file.h"
#include "library/library_store.h"
#include "library/list_entries.h"
#include "library/symbol_description.h"
#include "model/element_kinds.h"

namespace nv::library {
namespace {

namespace fs = std::filesystem;
using nv::platform::IniFile;

constexpr std::uint8_t kTemplateOctave = 5;
constexpr std::uint16_t kQuarter = 32;
constexpr std::uint8_t kClearBrush = 1;

// A table's lines, split at tabs, without comments and blank lines; each with
// where it stands for the error messages.
struct TableLine {
  std::vector<std::string> Fields;
  std::string Where;
};

std::vector<TableLine> ReadTable(const fs::path& path, std::size_t fields) {
  std::ifstream in(path);
  if (!in) throw ELibraryTableError("Cannot read \"" + path.string() + "\"");
  std::vector<TableLine> lines;
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    if (text.empty() || text[0] == '#') continue;
    TableLine line{{}, path.string() + ":" + std::to_string(number)};
    std::stringstream split(text);
    for (std::string field; std::getline(split, field, '\t');) line.Fields.push_back(field);
    if (line.Fields.size() != fields) {
      throw ELibraryTableError(line.Where + ": " + std::to_string(fields) + " fields separated by tabs expected");
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::stringstream split(text);
  for (std::string word; split >> word;) words.push_back(word);
  return words;
}

int Number(const std::string& text, const TableLine& line, int base = 10) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
    throw ELibraryTableError(line.Where + ": \"" + text + "\" is no number");
  }
  return value;
}

// Raises instead of showing: the generator has no window, and a default
// that cannot be written must fail the build.
class GeneratorUi : public LibraryUi {
 public:
  std::vector<std::string> ChooseTemplateFiles(LibraryKind) override { return {}; }
  void ReportMissingFile(const std::string& path) override { throw ELibraryTableError("Missing " + path); }
  void ReportUnreadableTemplate(LibraryKind, const std::string& path, const std::string& reason) override {
    throw ELibraryTableError(path + ": " + reason);
  }
  bool AskReplaceTemplate(LibraryKind, const std::string&) override { return true; }
  void ReportDroppedTemplates(LibraryKind, const std::vector<std::string>& problems) override {
    throw ELibraryTableError(problems.front());
  }
  void ReportDuplicateTerms(const std::vector<std::string>& names) override {
    throw ELibraryTableError("Duplicate term \"" + names.front() + "\"");
  }
  void ReportError(const std::string& message) override { throw ELibraryTableError(message); }
  void PaletteChanged(LibraryKind) override {}
};

std::unique_ptr<TECAccordDescription> ChordOf(const TableLine& line) {
  std::vector<std::uint8_t> code{0, 0, 0x00};
  for (const std::string& byte : Words(line.Fields[3])) code.push_back(static_cast<std::uint8_t>(Number(byte, line, 16)));
  code[0] = static_cast<std::uint8_t>(code.size() - 2);

  auto chord = std::make_unique<TECAccordDescription>();
  chord->Group = line.Fields[0];
  chord->Description = line.Fields[1];
  if (line.Fields[2] == "-") {
    AccordCodeToText(code, chord->Pieces);
    chord->Pieces.erase(chord->Pieces.begin());  // the root is the chord symbol's own
  } else {
    for (const std::string& piece : Words(line.Fields[2])) {
      const auto at = piece.rfind('@');
      if (at == std::string::npos) throw ELibraryTableError(line.Where + ": a piece is text@level");
      const int index = static_cast<int>(chord->Pieces.size()) + 1;
      chord->Pieces.push_back(MakeChordPiece(piece.substr(0, at), index, Number(piece.substr(at + 1), line)));
    }
  }
  for (const auto& piece : chord->Pieces) {
    for (const char c : piece.Text) chord->Name += c == '/' ? '-' : c;
  }

  TECChordTones tones;
  const int count = AccordCodeToNotes(code, tones);
  for (int i = 0; i < count; ++i) {
    const TECChordTone& tone = tones[static_cast<std::size_t>(i)];
    if (tone.Step == 0) continue;
    TECNote note(static_cast<std::uint8_t>(ek::NoteC + tone.Step - 1));
    note.Octave = static_cast<std::uint8_t>(kTemplateOctave + tone.Octave);
    note.Value = note.Length = kQuarter;
    if (tone.Accidental != 0) note.Attributes.push_back(std::make_unique<TECNoteAttribute>(tone.Accidental, &note));
    chord->AddVariant(note);
  }
  return chord;
}

std::unique_ptr<TECSymbolDescription> SymbolOf(const TableLine& line) {
  auto symbol = std::make_unique<TECSymbolDescription>();
  symbol->Group = line.Fields[0];
  symbol->Description = line.Fields[1];
  symbol->Name = line.Fields[1];
  const std::string& kind = line.Fields[2];
  const std::vector<std::string> fields = Words(line.Fields[3]);
  const auto field = [&](std::size_t i) {
    if (i >= fields.size()) throw ELibraryTableError(line.Where + ": too few fields");
    return fields[i];
  };
  if (kind == "rectangle" || kind == "ellipse") {
    auto shape = std::make_unique<TECPageShape>(kind == "rectangle" ? ek::PageRectangle : ek::PageEllipse);
    shape->Width = static_cast<std::int16_t>(Number(field(0), line));
    shape->Height = static_cast<std::int16_t>(Number(field(1), line));
    shape->PenWidth = 1;
    shape->BrushStyle = kClearBrush;
    symbol->Width = shape->Width;
    symbol->Height = shape->Height;
    symbol->AddElement(std::move(shape));
  } else if (kind == "line") {
    // The line runs through the middle of its end marks, which are 6 high
    // at a 1-pixel pen, so that the symbol has a height to be scaled by.
    constexpr int kMarkHeight = 6;
    auto arrow = std::make_unique<TECPageLine>();
    arrow->X2 = static_cast<std::int16_t>(Number(field(0), line));
    arrow->Y1 = arrow->Y2 = kMarkHeight / 2;
    arrow->PenWidth = 1;
    arrow->EndShapes = static_cast<std::uint8_t>(Number(field(1), line, 16));
    symbol->Width = arrow->X2;
    symbol->Height = kMarkHeight;
    symbol->AddElement(std::move(arrow));
  } else if (kind == "text") {
    auto text = std::make_unique<TECPageText>();
    text->FontName = field(0);
    text->FontSize = static_cast<std::uint8_t>(Number(field(1), line));
    symbol->Width = Number(field(2), line);
    symbol->Height = Number(field(3), line);
    text->Lines = {field(4)};
    symbol->AddElement(std::move(text));
  } else {
    throw ELibraryTableError(line.Where + ": no element \"" + kind + "\"");
  }
  return symbol;
}

}  // namespace

void WriteDefaultLibraries(const std::string& tablesFolder, const std::string& folder) {
  const fs::path tables(tablesFolder);
  fs::create_directories(fs::path(folder) / "Templates");
  GeneratorUi ui;
  LibraryStore store(folder, ui);

  // Each template goes to the front of its list: the table's last first.
  const std::vector<TableLine> chords = ReadTable(tables / "chords.txt", 4);
  for (auto line = chords.rbegin(); line != chords.rend(); ++line) {
    auto chord = ChordOf(*line);
    chord->SaveTemplate(folder);
    store.AddChordToPalette(std::move(chord));
  }
  const std::vector<TableLine> symbols = ReadTable(tables / "symbols.txt", 4);
  for (auto line = symbols.rbegin(); line != symbols.rend(); ++line) {
    auto symbol = SymbolOf(*line);
    symbol->SaveTemplate(folder);
    store.AddSymbolToPalette(std::move(symbol));
  }
  store.CreateDefaultDrumLibrary();

  std::vector<TECTermDescription> terms;
  for (const TableLine& line : ReadTable(tables / "terms.txt", 4)) {
    terms.push_back({line.Fields[1], Number(line.Fields[0], line), Number(line.Fields[2], line),
                     Number(line.Fields[3], line)});
  }
  store.SetTerms(std::move(terms));
  store.SaveTermLibrary();

  DrumMapFile map;
  for (const TableLine& line : ReadTable(tables / "drum_map.txt", 5)) {
    const int key = Number(line.Fields[0], line);
    if (key < DrumMapFile::kFirstPitch || key > DrumMapFile::kLastPitch) {
      throw ELibraryTableError(line.Where + ": no drum map key");
    }
    map.Entry(key) = {line.Fields[1], Number(line.Fields[2], line), Number(line.Fields[3], line),
                      Number(line.Fields[4], line) == 1};
  }
  store.SaveDrumMap(map);
}

}  // namespace nv::library
