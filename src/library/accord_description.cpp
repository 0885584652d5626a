#include "library/accord_description.h"

#include <array>

#include "model/element_kinds.h"
#include "model/record_layout.h"
#include "model/stream_strings.h"
#include "model/text_encoding.h"

namespace nv::library {
namespace {

// Files before this version hold the pieces as one string.
constexpr std::uint16_t kPieceRecordsVersion = 880;
constexpr std::size_t kAttributeSize = 8;

using PieceLayout = recbytes::Layout<5, recbytes::Field<&TECChordPiece::Format, 0>>;

std::unique_ptr<TECNoteAttribute> PlainCopy(const TECNoteAttribute& attribute, TECNote* owner) {
  auto copy = std::make_unique<TECNoteAttribute>(attribute.Kind, owner);
  copy->Data = attribute.Data;
  return copy;
}

}  // namespace

void TECAccordDescription::AddVariant(const TECNote& note) {
  auto copy = std::make_unique<TECNote>(note.Kind);
  copy->CopyStoredFields(note);
  for (const auto& attribute : note.Attributes) {
    if (ek::IsPlainAttribute(attribute->Kind)) copy->Attributes.push_back(PlainCopy(*attribute, copy.get()));
  }
  Variants.push_back(std::move(copy));
}

std::string TECAccordDescription::GetName() const {
  std::string name = "X";
  for (const auto& piece : Pieces) name += piece.Text;
  return name;
}

void TECAccordDescription::WriteSections(ByteStream& stream) const {
  WriteCount(stream, Pieces.size());
  for (const auto& piece : Pieces) {
    std::array<std::uint8_t, PieceLayout::kSize> bytes{};
    PieceLayout::Store(piece, bytes);
    WriteSizedRecord(stream, bytes);
    WriteStreamString(stream, piece.Text);
  }
  WriteStreamString(stream, Description);
  WriteCount(stream, Variants.size());
  for (const auto& note : Variants) {
    WriteRecord(stream, *note, TECNote::StoredSize);
    std::size_t plain = 0;
    for (const auto& attribute : note->Attributes) plain += ek::IsPlainAttribute(attribute->Kind);
    WriteCount(stream, plain);
    for (const auto& attribute : note->Attributes) {
      if (ek::IsPlainAttribute(attribute->Kind)) WriteRecord(stream, *PlainCopy(*attribute, nullptr), kAttributeSize);
    }
  }
  WriteStreamString(stream, Group);
  stream.WriteU8(FixedOctave);
}

void TECAccordDescription::ReadSections(ByteStream& stream, const TemplateHeader& header) {
  if (header.Sections >= 1) {
    if (header.Version < kPieceRecordsVersion) {
      Pieces.push_back(TECChordPiece{{}, ReadStoredText(stream), 0});
    } else {
      const std::uint16_t count = stream.ReadU16();
      stream.CheckAvailable(count, 3);
      for (std::uint16_t i = 0; i < count; ++i) {
        TECChordPiece piece;
        PieceLayout::Load(piece, ReadBoundedRecord(stream, PieceLayout::kSize).Span());
        piece.Text = ReadStoredText(stream);
        Pieces.push_back(std::move(piece));
      }
    }
  }
  if (header.Sections >= 2) Description = ReadStoredText(stream);
  if (header.Sections >= 3) {
    const std::uint16_t count = stream.ReadU16();
    stream.CheckAvailable(count, 3);
    for (std::uint16_t i = 0; i < count; ++i) {
      const SizedRecord record = ReadBoundedRecord(stream, TECNote::StoredSize);
      if (!ek::IsNoteStep(record.Bytes[0])) throw EFileDamage();
      auto note = std::make_unique<TECNote>(record.Bytes[0]);
      note->Load(record.Span());
      const std::uint16_t attributes = stream.ReadU16();
      stream.CheckAvailable(attributes, 1);
      for (std::uint16_t a = 0; a < attributes; ++a) {
        const SizedRecord stored = ReadBoundedRecord(stream, kAttributeSize);
        // Only plain attributes mean anything outside a score.
        if (!ek::IsPlainAttribute(stored.Bytes[0])) continue;
        auto attribute = std::make_unique<TECNoteAttribute>(stored.Bytes[0], note.get());
        attribute->Load(stored.Span());
        attribute->Value = 0;
        note->Attributes.push_back(std::move(attribute));
      }
      Variants.push_back(std::move(note));
    }
  }
  if (header.Sections >= 4) Group = ReadStoredText(stream);
  if (header.Sections >= 5) FixedOctave = stream.ReadU8();
}

}  // namespace nv::library
