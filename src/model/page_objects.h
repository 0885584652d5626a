#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "model/decoded_picture.h"
#include "model/element.h"
#include "model/element_kinds.h"

class TECModelObject;

// A picture as stored: its type (256 bitmap, 257 GIF, 258 JPEG, 259 icon,
// 260 metafile) and its encoded bytes; decoding belongs to the painters,
// which keep what they decoded beside the bytes. Bytes are not changed in
// place once drawn: a changed picture is a new one assigned.
struct TECPicture {
  TECPicture() = default;
  TECPicture(std::uint16_t type, std::vector<std::uint8_t> data) : Type(type), Data(std::move(data)) {}

  std::uint16_t Type = 0;
  std::vector<std::uint8_t> Data;
  mutable TECDecodedPicture Decoded;
};

// A free page object (kinds 61..68) of an instrument's texts row, of an
// object-group item or of a drum-head shape list. Coordinates other than a
// text's are kept as stored, with an origin of 1000 at the page's left or top
// edge.
class TECPageObject : public TECElement {
 public:
  TECPageObject(std::uint8_t kind) : TECElement(TECElementType::PageObject, kind) {}

  // Flag bit that shows the object on every page.
  static constexpr std::uint8_t OnEveryPage = 0x08;

  virtual std::size_t StoredSize() const = 0;
  virtual void Store(std::span<std::uint8_t> out) const = 0;
  virtual void Load(std::span<const std::uint8_t> stored) = 0;
  virtual std::unique_ptr<TECPageObject> Clone() const = 0;

  std::int32_t Page = 0;
  std::uint8_t Flags = 0;
  TECModelObject* Owner = nullptr;
};

class TECPageText : public TECPageObject {
 public:
  TECPageText() : TECPageObject(ek::PageText) {}
  std::size_t StoredSize() const override { return 20; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECPageObject> Clone() const override;

  std::int16_t X = 0;
  std::int16_t Y = 0;
  std::uint8_t FontSize = 0;
  std::uint8_t FontStyle = 0;
  std::int32_t Color = 0;
  std::uint16_t Rotation = 0;
  std::string FontName;
  std::vector<std::string> Lines;
};

class TECPagePicture : public TECPageObject {
 public:
  TECPagePicture() : TECPageObject(ek::PagePicture) {}
  static constexpr std::uint8_t Stretched = 0x40;
  static constexpr std::uint8_t NaturalSize = 0x80;
  std::size_t StoredSize() const override { return 12; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECPageObject> Clone() const override;

  std::int16_t X = 0;
  std::int16_t Y = 0;
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  std::optional<TECPicture> Picture;
};

class TECPageLine : public TECPageObject {
 public:
  TECPageLine() : TECPageObject(ek::PageLine) {}
  std::size_t StoredSize() const override { return 24; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECPageObject> Clone() const override;

  std::int16_t X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  std::uint8_t PenWidth = 0;
  std::int32_t PenColor = 0;
  std::uint8_t PenStyle = 0;
  std::uint8_t EndShapes = 0;
  // Where the painter drew the two ends.
  TECElementBox DrawnEnds;
};

// Rectangle (64) or ellipse (65).
class TECPageShape : public TECPageObject {
 public:
  explicit TECPageShape(std::uint8_t kind) : TECPageObject(kind) {}
  std::size_t StoredSize() const override { return 32; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECPageObject> Clone() const override;

  std::int16_t X = 0, Y = 0, Width = 0, Height = 0;
  std::uint8_t PenWidth = 0;
  std::int32_t PenColor = 0;
  std::uint8_t PenStyle = 0;
  std::int32_t BrushColor = 0;
  std::uint8_t BrushStyle = 0;
};

// Arc (66), pie (67) or chord segment (68).
class TECPageArc : public TECPageShape {
 public:
  explicit TECPageArc(std::uint8_t kind) : TECPageShape(kind) {}
  std::size_t StoredSize() const override { return 40; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECPageObject> Clone() const override;

  std::int16_t StartX = 0, StartY = 0, EndX = 0, EndY = 0;
};

// The record type for a page-object kind, none for other kinds.
std::unique_ptr<TECPageObject> MakePageObject(std::uint8_t kind);
