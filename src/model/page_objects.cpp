#include "model/page_objects.h"

using namespace recbytes;

namespace {

// Clones copy the record's fields through its stored bytes; the page (stored
// in one byte) and the owner go directly.
void CopyStoredFields(const TECPageObject& from, TECPageObject& to) {
  std::vector<std::uint8_t> bytes(from.StoredSize());
  from.Store(bytes);
  to.Load(bytes);
  to.Page = from.Page;
  to.Owner = from.Owner;
}

}  // namespace

void TECPageText::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, 0);
  PutI16(out, 2, X);
  PutI16(out, 4, Y);
  PutU8(out, 6, static_cast<std::uint8_t>(Page));
  PutU8(out, 7, FontSize);
  PutU8(out, 8, FontStyle);
  PutU8(out, 9, Flags);
  PutU16(out, 10, 0);
  PutI32(out, 12, Color);
  PutU16(out, 16, Rotation);
  PutU16(out, 18, 0);
}

void TECPageText::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<20>(stored);
  Kind = b[0];
  X = GetI16(b, 2);
  Y = GetI16(b, 4);
  Page = b[6];
  FontSize = b[7];
  FontStyle = b[8];
  Flags = b[9];
  Color = GetI32(b, 12);
  Rotation = GetU16(b, 16);
}

std::unique_ptr<TECPageObject> TECPageText::Clone() const {
  auto copy = std::make_unique<TECPageText>();
  CopyStoredFields(*this, *copy);
  copy->FontName = FontName;
  copy->Lines = Lines;
  return copy;
}

void TECPagePicture::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, 0);
  PutI16(out, 2, X);
  PutI16(out, 4, Y);
  PutI16(out, 6, Width);
  PutI16(out, 8, Height);
  PutU8(out, 10, static_cast<std::uint8_t>(Page));
  PutU8(out, 11, Flags);
}

void TECPagePicture::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<12>(stored);
  Kind = b[0];
  X = GetI16(b, 2);
  Y = GetI16(b, 4);
  Width = GetI16(b, 6);
  Height = GetI16(b, 8);
  Page = b[10];
  Flags = b[11];
}

std::unique_ptr<TECPageObject> TECPagePicture::Clone() const {
  auto copy = std::make_unique<TECPagePicture>();
  CopyStoredFields(*this, *copy);
  copy->Picture = Picture;
  return copy;
}

void TECPageLine::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, 0);
  PutI16(out, 2, X1);
  PutI16(out, 4, Y1);
  PutI16(out, 6, X2);
  PutI16(out, 8, Y2);
  PutU8(out, 10, PenWidth);
  PutU8(out, 11, 0);
  PutI32(out, 12, PenColor);
  PutU8(out, 16, PenStyle);
  PutU8(out, 17, EndShapes);
  PutU8(out, 18, Flags);
  PutU8(out, 19, static_cast<std::uint8_t>(Page));
  PutU32(out, 20, 0);
}

void TECPageLine::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<24>(stored);
  Kind = b[0];
  X1 = GetI16(b, 2);
  Y1 = GetI16(b, 4);
  X2 = GetI16(b, 6);
  Y2 = GetI16(b, 8);
  PenWidth = b[10];
  PenColor = GetI32(b, 12);
  PenStyle = b[16];
  EndShapes = b[17];
  Flags = b[18];
  Page = b[19];
}

std::unique_ptr<TECPageObject> TECPageLine::Clone() const {
  auto copy = std::make_unique<TECPageLine>();
  CopyStoredFields(*this, *copy);
  return copy;
}

void TECPageShape::Store(std::span<std::uint8_t> out) const {
  std::fill(out.begin(), out.begin() + 32, 0);
  PutU8(out, 0, Kind);
  PutI16(out, 2, X);
  PutI16(out, 4, Y);
  PutI16(out, 6, Width);
  PutI16(out, 8, Height);
  PutU8(out, 10, PenWidth);
  PutI32(out, 12, PenColor);
  PutU8(out, 16, PenStyle);
  PutI32(out, 20, BrushColor);
  PutU8(out, 24, BrushStyle);
  PutU8(out, 25, Flags);
  PutU8(out, 26, static_cast<std::uint8_t>(Page));
}

void TECPageShape::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<32>(stored);
  Kind = b[0];
  X = GetI16(b, 2);
  Y = GetI16(b, 4);
  Width = GetI16(b, 6);
  Height = GetI16(b, 8);
  PenWidth = b[10];
  PenColor = GetI32(b, 12);
  PenStyle = b[16];
  BrushColor = GetI32(b, 20);
  BrushStyle = b[24];
  Flags = b[25];
  Page = b[26];
}

std::unique_ptr<TECPageObject> TECPageShape::Clone() const {
  auto copy = std::make_unique<TECPageShape>(Kind);
  CopyStoredFields(*this, *copy);
  return copy;
}

void TECPageArc::Store(std::span<std::uint8_t> out) const {
  std::fill(out.begin(), out.begin() + 40, 0);
  PutU8(out, 0, Kind);
  PutI16(out, 2, X);
  PutI16(out, 4, Y);
  PutI16(out, 6, Width);
  PutI16(out, 8, Height);
  PutI16(out, 10, StartX);
  PutI16(out, 12, StartY);
  PutI16(out, 14, EndX);
  PutI16(out, 16, EndY);
  PutU8(out, 18, PenWidth);
  PutI32(out, 20, PenColor);
  PutU8(out, 24, PenStyle);
  PutI32(out, 28, BrushColor);
  PutU8(out, 32, BrushStyle);
  PutU8(out, 33, Flags);
  PutU8(out, 34, static_cast<std::uint8_t>(Page));
}

void TECPageArc::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<40>(stored);
  Kind = b[0];
  X = GetI16(b, 2);
  Y = GetI16(b, 4);
  Width = GetI16(b, 6);
  Height = GetI16(b, 8);
  StartX = GetI16(b, 10);
  StartY = GetI16(b, 12);
  EndX = GetI16(b, 14);
  EndY = GetI16(b, 16);
  PenWidth = b[18];
  PenColor = GetI32(b, 20);
  PenStyle = b[24];
  BrushColor = GetI32(b, 28);
  BrushStyle = b[32];
  Flags = b[33];
  Page = b[34];
}

std::unique_ptr<TECPageObject> TECPageArc::Clone() const {
  auto copy = std::make_unique<TECPageArc>(Kind);
  CopyStoredFields(*this, *copy);
  return copy;
}

std::unique_ptr<TECPageObject> MakePageObject(std::uint8_t kind) {
  switch (kind) {
    case ek::PageText:
      return std::make_unique<TECPageText>();
    case ek::PagePicture:
      return std::make_unique<TECPagePicture>();
    case ek::PageLine:
      return std::make_unique<TECPageLine>();
    case ek::PageRectangle:
    case ek::PageEllipse:
      return std::make_unique<TECPageShape>(kind);
    case ek::PageArc:
    case ek::PagePie:
    case ek::PageChord:
      return std::make_unique<TECPageArc>(kind);
    default:
      return nullptr;
  }
}
