#include "model/page_objects.h"

#include "model/record_layout.h"

using recbytes::Field;
using recbytes::Layout;

namespace {

// The stored forms. The page is stored in one byte; a copy keeps it whole.
using PageByte = std::uint8_t;
using TextLayout =
    Layout<20, Field<&TECPageText::Kind, 0>, Field<&TECPageText::X, 2>, Field<&TECPageText::Y, 4>,
           Field<&TECPageText::Page, 6, PageByte>, Field<&TECPageText::FontSize, 7>, Field<&TECPageText::FontStyle, 8>,
           Field<&TECPageText::Flags, 9>, Field<&TECPageText::Color, 12>, Field<&TECPageText::Rotation, 16>>;
using PictureLayout =
    Layout<12, Field<&TECPagePicture::Kind, 0>, Field<&TECPagePicture::X, 2>, Field<&TECPagePicture::Y, 4>,
           Field<&TECPagePicture::Width, 6>, Field<&TECPagePicture::Height, 8>,
           Field<&TECPagePicture::Page, 10, PageByte>, Field<&TECPagePicture::Flags, 11>>;
using LineLayout =
    Layout<24, Field<&TECPageLine::Kind, 0>, Field<&TECPageLine::X1, 2>, Field<&TECPageLine::Y1, 4>,
           Field<&TECPageLine::X2, 6>, Field<&TECPageLine::Y2, 8>, Field<&TECPageLine::PenWidth, 10>,
           Field<&TECPageLine::PenColor, 12>, Field<&TECPageLine::PenStyle, 16>, Field<&TECPageLine::EndShapes, 17>,
           Field<&TECPageLine::Flags, 18>, Field<&TECPageLine::Page, 19, PageByte>>;
using ShapeLayout =
    Layout<32, Field<&TECPageShape::Kind, 0>, Field<&TECPageShape::X, 2>, Field<&TECPageShape::Y, 4>,
           Field<&TECPageShape::Width, 6>, Field<&TECPageShape::Height, 8>, Field<&TECPageShape::PenWidth, 10>,
           Field<&TECPageShape::PenColor, 12>, Field<&TECPageShape::PenStyle, 16>,
           Field<&TECPageShape::BrushColor, 20>, Field<&TECPageShape::BrushStyle, 24>,
           Field<&TECPageShape::Flags, 25>, Field<&TECPageShape::Page, 26, PageByte>>;
using ArcLayout =
    Layout<40, Field<&TECPageArc::Kind, 0>, Field<&TECPageArc::X, 2>, Field<&TECPageArc::Y, 4>,
           Field<&TECPageArc::Width, 6>, Field<&TECPageArc::Height, 8>, Field<&TECPageArc::StartX, 10>,
           Field<&TECPageArc::StartY, 12>, Field<&TECPageArc::EndX, 14>, Field<&TECPageArc::EndY, 16>,
           Field<&TECPageArc::PenWidth, 18>, Field<&TECPageArc::PenColor, 20>, Field<&TECPageArc::PenStyle, 24>,
           Field<&TECPageArc::BrushColor, 28>, Field<&TECPageArc::BrushStyle, 32>, Field<&TECPageArc::Flags, 33>,
           Field<&TECPageArc::Page, 34, PageByte>>;

// A copy of `from` with its stored fields and its owner.
template <typename LayoutOf, typename Object>
std::unique_ptr<Object> CopyOf(const Object& from, std::unique_ptr<Object> copy) {
  LayoutOf::Copy(from, *copy);
  copy->Owner = from.Owner;
  return copy;
}

}  // namespace

void TECPageText::Store(std::span<std::uint8_t> out) const { TextLayout::Store(*this, out); }

void TECPageText::Load(std::span<const std::uint8_t> stored) { TextLayout::Load(*this, stored); }

std::unique_ptr<TECPageObject> TECPageText::Clone() const {
  auto copy = CopyOf<TextLayout>(*this, std::make_unique<TECPageText>());
  copy->FontName = FontName;
  copy->Lines = Lines;
  return copy;
}

void TECPagePicture::Store(std::span<std::uint8_t> out) const { PictureLayout::Store(*this, out); }

void TECPagePicture::Load(std::span<const std::uint8_t> stored) { PictureLayout::Load(*this, stored); }

std::unique_ptr<TECPageObject> TECPagePicture::Clone() const {
  auto copy = CopyOf<PictureLayout>(*this, std::make_unique<TECPagePicture>());
  copy->Picture = Picture;
  return copy;
}

void TECPageLine::Store(std::span<std::uint8_t> out) const { LineLayout::Store(*this, out); }

void TECPageLine::Load(std::span<const std::uint8_t> stored) { LineLayout::Load(*this, stored); }

std::unique_ptr<TECPageObject> TECPageLine::Clone() const {
  return CopyOf<LineLayout>(*this, std::make_unique<TECPageLine>());
}

void TECPageShape::Store(std::span<std::uint8_t> out) const { ShapeLayout::Store(*this, out); }

void TECPageShape::Load(std::span<const std::uint8_t> stored) { ShapeLayout::Load(*this, stored); }

std::unique_ptr<TECPageObject> TECPageShape::Clone() const {
  return CopyOf<ShapeLayout>(*this, std::make_unique<TECPageShape>(Kind));
}

void TECPageArc::Store(std::span<std::uint8_t> out) const { ArcLayout::Store(*this, out); }

void TECPageArc::Load(std::span<const std::uint8_t> stored) { ArcLayout::Load(*this, stored); }

std::unique_ptr<TECPageObject> TECPageArc::Clone() const {
  return CopyOf<ArcLayout>(*this, std::make_unique<TECPageArc>(Kind));
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
