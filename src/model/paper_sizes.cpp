#include "model/paper_sizes.h"

namespace {

struct PaperEntry {
  std::string_view name;
  // Hundredths of a millimetre, so that every size is a whole number here.
  int width;
  int height;
};

// Ledger is stored landscape; Note is 279.0 mm high, not 279.4.
constexpr PaperEntry kPapers[kPaperSizeCount] = {
    {"Default", 0, 0},          {"Letter", 21590, 27940},   {"LetterSmall", 21590, 27940},
    {"Tabloid", 27940, 43180},  {"Ledger", 43180, 27940},   {"Ligal", 21590, 35560},
    {"Statement", 13970, 21590}, {"Executive", 19050, 25400}, {"A3", 29700, 42000},
    {"A4", 21000, 29700},       {"A4Small", 21000, 29700},  {"A5", 14800, 21000},
    {"B4", 25000, 35400},       {"B5", 18200, 25700},       {"Folio", 21590, 33020},
    {"Quarto", 21500, 27500},   {"qr10X14", 25400, 35560},  {"qr11X17", 27940, 43180},
    {"Note", 21590, 27900},     {"Env9", 9843, 22540},      {"Env10", 10480, 24130},
    {"Env11", 11430, 26350},    {"Env12", 10160, 27940},    {"Env14", 12700, 29210},
    {"CSheet", 10000, 10000},   {"DSheet", 10000, 10000},   {"ESheet", 10000, 10000},
    {"Custom", 0, 0},
};

}  // namespace

std::optional<TECPaperDimensions> PaperDimensions(TECPaperSize size) {
  const auto index = static_cast<int>(size);
  if (index >= kPaperSizeCount || kPapers[index].width == 0) return std::nullopt;
  return TECPaperDimensions{kPapers[index].width / 10.0, kPapers[index].height / 10.0};
}

std::string_view PaperSizeName(TECPaperSize size) {
  const auto index = static_cast<int>(size);
  return index < kPaperSizeCount ? kPapers[index].name : std::string_view("?");
}
