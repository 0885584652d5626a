#include <gtest/gtest.h>

#include <filesystem>

#include "library/accord_description.h"
#include "library/chord_code.h"
#include "library/drum_description.h"
#include "library/symbol_description.h"
#include "library/term_description.h"
#include "library_fixture.h"
#include "model/atomic_file_writer.h"
#include "model/element_kinds.h"
#include "model/memory_stream.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace {

using namespace nv::library;
namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr std::uint8_t kNoteE = ek::NoteC + 2;
constexpr std::uint8_t kNoteG = ek::NoteC + 4;

std::unique_ptr<TECAccordDescription> SampleChord() {
  auto owned = std::make_unique<TECAccordDescription>();
  TECAccordDescription& chord = *owned;
  chord.Pieces.push_back(MakeChordPiece("m", 0, 1));
  chord.Pieces.push_back(MakeChordPiece("7", 1, -2));
  chord.Description = "minor seventh";
  chord.Group = "Sevenths";
  TECNote note(kNoteE);
  note.Octave = 5;
  note.Value = note.Length = 32;
  note.Attributes.push_back(std::make_unique<TECNoteAttribute>(ek::Flat, &note));
  note.Attributes.back()->Value = 1234;
  note.Attributes.push_back(std::make_unique<TECLinkAttribute>(ek::LinkAbove, &note));
  chord.AddVariant(note);
  return owned;
}

std::unique_ptr<TECSymbolDescription> SampleSymbol() {
  auto owned = std::make_unique<TECSymbolDescription>();
  TECSymbolDescription& symbol = *owned;
  symbol.Description = "Solo";
  symbol.Group = "Words";
  symbol.Width = 300;
  symbol.Height = 120;
  auto text = std::make_unique<TECPageText>();
  text->FontName = "Arial";
  text->FontSize = 12;
  text->Lines = {"Solo"};
  symbol.AddElement(std::move(text));
  auto box = std::make_unique<TECPageShape>(ek::PageRectangle);
  symbol.AddElement(std::move(box));
  return owned;
}

template <typename Description>
std::unique_ptr<Description> Loaded(const Bytes& bytes) {
  auto description = std::make_unique<Description>();
  MemoryStream stream(bytes);
  description->LoadFromStream(stream);
  return description;
}

template <typename Description>
std::string FormatError(const Bytes& bytes) {
  try {
    Loaded<Description>(bytes);
  } catch (const ETemplateFormatError& error) {
    return error.what();
  }
  return "loaded";
}

Bytes Header(std::uint8_t signature, const std::string& text, std::uint16_t version, std::uint16_t sections) {
  MemoryStream stream;
  stream.WriteU8(signature);
  WriteStreamString(stream, text);
  stream.WriteU16(version);
  stream.WriteU16(sections);
  return stream.Data();
}

Bytes Append(Bytes bytes, std::initializer_list<std::uint8_t> more) {
  bytes.insert(bytes.end(), more);
  return bytes;
}

TEST(TemplateFiles, AChordSavesItsSectionsAndLoadsBackToTheSameBytes) {
  const auto chordOwned = SampleChord();
  const auto& chord = *chordOwned;
  const Bytes bytes = chord.Bytes();
  const Bytes header = Header(51, "Notavistra accord file", 880, 5);
  ASSERT_GT(bytes.size(), header.size());
  EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
  // Section 1: two pieces, each a 5-byte record and its text.
  EXPECT_EQ(Bytes(bytes.begin() + header.size(), bytes.begin() + header.size() + 11),
            (Bytes{2, 0, 5, 0, 0, 0, 1, 0, 1, 0, 'm'}));
  EXPECT_EQ(bytes.back(), 1);  // fixed octave

  const auto backOwned = Loaded<TECAccordDescription>(bytes);
  const auto& back = *backOwned;
  EXPECT_EQ(back.GetName(), "Xm7");
  EXPECT_EQ(back.Description, "minor seventh");
  EXPECT_EQ(back.Group, "Sevenths");
  ASSERT_EQ(back.Variants.size(), 1u);
  EXPECT_EQ(back.Variants[0]->Kind, kNoteE);
  EXPECT_EQ(back.Variants[0]->Octave, 5);
  // The link stayed with the score; the flat lost its 32-bit field.
  ASSERT_EQ(back.Variants[0]->Attributes.size(), 1u);
  EXPECT_EQ(back.Variants[0]->Attributes[0]->Kind, ek::Flat);
  EXPECT_EQ(back.Variants[0]->Attributes[0]->Value, 0u);
  EXPECT_EQ(back.Variants[0]->Attributes[0]->Owner, back.Variants[0].get());
  EXPECT_EQ(back.Bytes(), bytes);
}

TEST(TemplateFiles, SymbolsAndDrumStylesLoadBackToTheSameBytes) {
  const auto owned = SampleSymbol();
  const TECSymbolDescription& symbol = *owned;
  const auto symbolBackOwned = Loaded<TECSymbolDescription>(symbol.Bytes());
  const auto& symbolBack = *symbolBackOwned;
  EXPECT_EQ(symbolBack.Description, "Solo");
  EXPECT_EQ(symbolBack.Width, 300);
  ASSERT_EQ(symbolBack.Elements().size(), 2u);
  EXPECT_EQ(static_cast<const TECPageText&>(*symbolBack.Elements()[0]).Lines, std::vector<std::string>{"Solo"});
  EXPECT_EQ(symbolBack.Bytes(), symbol.Bytes());

  TECDrumDescription drum;
  drum.DisplayName = "RideCymbal";
  drum.First = 2;
  drum.Second = -2;
  drum.Flag = 128;
  drum.AddElement(std::make_unique<TECPageLine>());
  const Bytes bytes = drum.Bytes();
  const Bytes header = Header(122, "Notavistra drum styles file", 800, 6);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), bytes.begin()));
  const auto drumBackOwned = Loaded<TECDrumDescription>(bytes);
  const auto& drumBack = *drumBackOwned;
  EXPECT_EQ(drumBack.DisplayName, "RideCymbal");
  EXPECT_EQ(drumBack.Second, -2);
  EXPECT_EQ(drumBack.Flag, 128);
  EXPECT_EQ(drumBack.Bytes(), bytes);
}

TEST(TemplateFiles, APictureOfEachTypeRoundTripsWithItsLength) {
  for (std::uint16_t type = 256; type <= 260; ++type) {
    TECSymbolDescription symbol;
    auto picture = std::make_unique<TECPagePicture>();
    picture->Picture = TECPicture{type, Bytes{1, 2, 3, static_cast<std::uint8_t>(type)}};
    symbol.AddElement(std::move(picture));
    const Bytes bytes = symbol.Bytes();
    // The picture header ends the file's fixed part: presence, type, length, data.
    const Bytes tail(bytes.end() - 12, bytes.end());
    EXPECT_EQ(tail, (Bytes{1, 0, static_cast<std::uint8_t>(type & 0xFF), 1, 4, 0, 0, 0, 1, 2, 3,
                           static_cast<std::uint8_t>(type)}));
    const auto backOwned = Loaded<TECSymbolDescription>(bytes);
  const auto& back = *backOwned;
    const auto& element = static_cast<const TECPagePicture&>(*back.Elements().at(0));
    ASSERT_TRUE(element.Picture.has_value()) << type;
    EXPECT_EQ(element.Picture->Type, type);
    EXPECT_EQ(back.Bytes(), bytes);
  }
}

TEST(TemplateFiles, OlderAndShorterFilesKeepTheDefaultsOfWhatTheyLack) {
  MemoryStream old;
  old.WriteBuffer(Header(51, "old", 879, 1).data(), Header(51, "old", 879, 1).size());
  WriteStreamString(old, "m7");
  const auto chordOwned = Loaded<TECAccordDescription>(old.Data());
  const auto& chord = *chordOwned;
  ASSERT_EQ(chord.Pieces.size(), 1u);
  EXPECT_EQ(chord.Pieces[0].Text, "m7");
  EXPECT_EQ(chord.Pieces[0].Format, (std::array<std::uint8_t, 5>{}));
  EXPECT_EQ(chord.FixedOctave, 1);

  MemoryStream two;
  const Bytes header = Header(200, "x", 800, 2);
  two.WriteBuffer(header.data(), header.size());
  WriteStreamString(two, "desc");
  WriteStreamString(two, "group");
  const auto symbolOwned = Loaded<TECSymbolDescription>(two.Data());
  const auto& symbol = *symbolOwned;
  EXPECT_EQ(symbol.Description, "desc");
  EXPECT_EQ(symbol.Group, "group");
  EXPECT_EQ(symbol.Width, 0);
  EXPECT_TRUE(symbol.Elements().empty());

  EXPECT_EQ(FormatError<TECAccordDescription>(Header(51, "x", 880, 0)), "loaded");
  EXPECT_EQ(FormatError<TECAccordDescription>(Header(51, "x", 881, 0)), "Version of file is more then 3.2");
  EXPECT_EQ(FormatError<TECDrumDescription>(Header(122, "x", 801, 0)), "Version of file is more then 3.2");
}

TEST(TemplateFiles, LegacyTextIsReadInTheInterfacesCodePageAndSavedAsUtf8) {
  MemoryStream legacy;
  const Bytes header = Header(200, "x", 800, 2);
  legacy.WriteBuffer(header.data(), header.size());
  WriteStreamString(legacy, "\xD2\xE8\xF5\xEE");  // "Тихо" in code page 1251
  WriteStreamString(legacy, "Words");
  SetLegacyTextCodePage(LegacyCodePage::cp1251);
  const auto symbol = Loaded<TECSymbolDescription>(legacy.Data());
  const TECTermDescription term = ParseTermLine("\xF2\xE8\xF5\xEE,1,0,40");
  SetLegacyTextCodePage(LegacyCodePage::cp1252);
  EXPECT_EQ(symbol->Description, "Тихо");
  EXPECT_EQ(term.Name, "тихо");
  // UTF-8 text stays as it is, so such a file saves to its own bytes.
  const auto again = Loaded<TECSymbolDescription>(symbol->Bytes());
  EXPECT_EQ(again->Description, "Тихо");
  EXPECT_EQ(again->Bytes(), symbol->Bytes());
}

TEST(TemplateFiles, AWrongSignatureIsRefusedBeforeAnythingElse) {
  EXPECT_EQ(FormatError<TECSymbolDescription>(Bytes{51}), "File is not symbol");
  EXPECT_EQ(FormatError<TECAccordDescription>(Bytes{200, 0xFF, 0xFF}), "File is not accord");
  EXPECT_EQ(FormatError<TECDrumDescription>(Bytes{}), "File is not drum style");
  EXPECT_EQ(FormatError<TECDrumDescription>(SampleSymbol()->Bytes()), "File is not drum style");
}

TEST(TemplateFiles, EveryTruncationIsAFormatErrorOrKeepsTheDefaults) {
  TECDrumDescription drum;
  drum.DisplayName = "Drum";
  drum.AddElement(std::make_unique<TECPageText>());
  const Bytes files[] = {SampleChord()->Bytes(), SampleSymbol()->Bytes(), drum.Bytes()};
  for (const Bytes& whole : files) {
    for (std::size_t size = 0; size < whole.size(); ++size) {
      const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
      if (whole[0] == kAccordFile.Signature) {
        EXPECT_EQ(FormatError<TECAccordDescription>(cut), "File is not accord") << size;
      } else if (whole[0] == kSymbolFile.Signature) {
        EXPECT_EQ(FormatError<TECSymbolDescription>(cut), "File is not symbol") << size;
      } else {
        EXPECT_EQ(FormatError<TECDrumDescription>(cut), "File is not drum style") << size;
      }
    }
  }
}

TEST(TemplateFiles, HostileRecordsAndCountsAreFormatErrors) {
  const Bytes chordHeader = Header(51, "x", 880, 5);
  const Bytes symbolHeader = Header(200, "x", 800, 5);
  const auto symbolWith = [&](std::initializer_list<std::uint8_t> elements) {
    return Append(Append(symbolHeader, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), elements);
  };
  // A piece record larger than a piece.
  EXPECT_EQ(FormatError<TECAccordDescription>(Append(chordHeader, {1, 0, 200})), "File is not accord");
  // A picture whose length runs past the end.
  Bytes picture = symbolWith({1, 0, 12, 62});
  picture.insert(picture.end(), 10, 0);
  picture = Append(picture, {1, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 7});
  EXPECT_EQ(FormatError<TECSymbolDescription>(picture), "File is not symbol");
  // A count of 65,535 with ten bytes left.
  Bytes many = symbolWith({0xFF, 0xFF});
  many.insert(many.end(), 10, 0);
  EXPECT_EQ(FormatError<TECSymbolDescription>(many), "File is not symbol");
  // An element of kind 99, and one larger than its kind's record.
  EXPECT_EQ(FormatError<TECSymbolDescription>(symbolWith({1, 0, 2, 99, 0})), "File is not symbol");
  Bytes large = symbolWith({1, 0, 25, 63});
  large.insert(large.end(), 24, 0);
  EXPECT_EQ(FormatError<TECSymbolDescription>(large), "File is not symbol");
}

TEST(TemplateFiles, AVariantWithALinkLoadsWithoutIt) {
  MemoryStream stream;
  const Bytes header = Header(51, "x", 880, 3);
  stream.WriteBuffer(header.data(), header.size());
  stream.WriteU16(0);
  WriteStreamString(stream, "");
  stream.WriteU16(1);
  std::array<std::uint8_t, 23> note{};
  note[0] = kNoteG;
  WriteSizedRecord(stream, note);
  stream.WriteU16(2);
  WriteSizedRecord(stream, Bytes{151, 1, 2, 3, 4, 5, 6, 7});
  WriteSizedRecord(stream, Bytes{ek::Dot, 0, 0, 0, 9, 9, 9, 9});
  const auto chordOwned = Loaded<TECAccordDescription>(stream.Data());
  const auto& chord = *chordOwned;
  ASSERT_EQ(chord.Variants.size(), 1u);
  ASSERT_EQ(chord.Variants[0]->Attributes.size(), 1u);
  EXPECT_EQ(chord.Variants[0]->Attributes[0]->Kind, ek::Dot);
  EXPECT_EQ(chord.Variants[0]->Attributes[0]->Value, 0u);
}

TEST(TemplateFiles, AFailedLoadKeepsWhatTheTemplateHeldAndASuccessfulOneReplacesIt) {
  auto owned = SampleSymbol();
  TECSymbolDescription& symbol = *owned;
  MemoryStream damaged(Append(Header(200, "x", 800, 5), {0, 0}));
  EXPECT_THROW(symbol.LoadFromStream(damaged), ETemplateFormatError);
  EXPECT_EQ(symbol.Elements().size(), 2u);
  MemoryStream empty(Header(200, "x", 800, 0));
  symbol.LoadFromStream(empty);
  EXPECT_TRUE(symbol.Elements().empty());
  EXPECT_EQ(symbol.Description, "");
}

TEST(TemplateFiles, ElementsThatAreNoPageObjectsAreRefused) {
  TECSymbolDescription symbol;
  auto odd = std::make_unique<TECPageShape>(ek::PageRectangle);
  odd->Kind = 99;
  EXPECT_THROW(symbol.AddElement(std::move(odd)), std::invalid_argument);
  EXPECT_TRUE(symbol.Elements().empty());
}

using TemplateFilesOnDisk = library_fixture::LibraryFolder;

TEST_F(TemplateFilesOnDisk, TemplatesSaveUnderTheirNameAndLoadIgnoringCase) {
  TECDrumDescription drum;
  drum.Name = "Drum1.drm";
  drum.DisplayName = "Drum1";
  drum.SaveTemplate(Folder());
  EXPECT_TRUE(fs::exists(folder_ / "Templates" / "Drum1.drm"));

  TECDrumDescription listed;
  listed.Name = "DRUM1";
  listed.Loaded = false;
  listed.LoadTemplate(Folder());
  EXPECT_TRUE(listed.Loaded);
  EXPECT_EQ(listed.DisplayName, "Drum1");

  auto owned = SampleChord();
  TECAccordDescription& chord = *owned;
  chord.Name = "m7";
  chord.SaveTemplate(Folder());
  TECAccordDescription fromFile;
  fromFile.LoadFromFile((folder_ / "Templates" / "m7.acc").string());
  EXPECT_EQ(fromFile.Name, "m7");
  EXPECT_EQ(fromFile.Bytes(), chord.Bytes());
}

TEST_F(TemplateFilesOnDisk, AFailedSaveNamesTheTargetAndKeepsTheOldFile) {
  auto owned = SampleSymbol();
  TECSymbolDescription& symbol = *owned;
  symbol.Name = "Solo";
  symbol.SaveTemplate(Folder());
  const fs::path target = folder_ / "Templates" / "Solo.smb";
  const Bytes old = symbol.Bytes();
  fs::permissions(folder_ / "Templates", fs::perms::owner_read | fs::perms::owner_exec);
  symbol.Description = "changed";
  try {
    symbol.SaveTemplate(Folder());
    ADD_FAILURE() << "no error";
  } catch (const EFileSaveError& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot save \"" + target.string() + "\": Permission denied");
  }
  EXPECT_EQ(library_fixture::ReadBytes(target), old);
}

}  // namespace
