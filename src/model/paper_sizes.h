#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

enum class TECPaperSize : std::uint8_t {
  Default,
  Letter,
  LetterSmall,
  Tabloid,
  Ledger,
  Ligal,
  Statement,
  Executive,
  A3,
  A4,
  A4Small,
  A5,
  B4,
  B5,
  Folio,
  Quarto,
  qr10X14,
  qr11X17,
  Note,
  Env9,
  Env10,
  Env11,
  Env12,
  Env14,
  CSheet,
  DSheet,
  ESheet,
  Custom,
};

inline constexpr int kPaperSizeCount = 28;

// Portrait width and height in tenths of a millimetre.
struct TECPaperDimensions {
  double Width;
  double Height;
};

// The fixed size of a standard paper; none for Default and Custom, which keep
// whatever size the page has.
std::optional<TECPaperDimensions> PaperDimensions(TECPaperSize size);
std::string_view PaperSizeName(TECPaperSize size);
