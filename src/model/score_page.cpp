#include "model/score_page.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <utility>

#include "model/scoped_flag.h"
#include "model/units.h"

namespace {

// Lengths the page accepts from a caller or a file, in tenths of a millimetre
// (up to 10 m). A margin or the interval may be 0; a page side may not.
constexpr double kMaxLength = 100000;

bool ValidLength(int index, double value) {
  const double least = index == TECScorePage::viWidth || index == TECScorePage::viHeight ? 1 : 0;
  return std::isfinite(value) && value >= least && value <= kMaxLength;
}

// The page block's six leading lengths, in file order.
constexpr int kBlockLengths[] = {TECScorePage::viWidth,       TECScorePage::viHeight,
                                 TECScorePage::viTopMargin,   TECScorePage::viLeftMargin,
                                 TECScorePage::viRightMargin, TECScorePage::viBottomMargin};
constexpr std::uint16_t kBlockFieldCount = 11;

std::string FormatNumber(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

const char* MetrixName(TECMetrix unit) {
  switch (unit) {
    case TECMetrix::rmMM: return "rmMM";
    case TECMetrix::rmInches: return "rmInches";
    case TECMetrix::rmPixels: return "rmPixels";
  }
  return "?";
}

}  // namespace

TECScorePage::TECScorePage(IScorePageOwner* owner, IECMusicSetting* setting)
    : owner_(owner), setting_(setting) {}

TECMetrix TECScorePage::Unit() const {
  if (unitOverride_) return overrideUnit_;
  return setting_ != nullptr ? setting_->GetMetrix() : TECMetrix::rmMM;
}

void TECScorePage::NotifyScrollBars() {
  if (setting_ != nullptr) setting_->UpdateScrollBars(true);
}

void TECScorePage::InvalidateClientArea() {
  if (owner_ != nullptr) owner_->InvalidateClientArea();
}

void TECScorePage::InvalidateScore() {
  if (owner_ != nullptr) owner_->InvalidateScore();
}

double TECScorePage::StoredValue(int index) const {
  return index >= 0 && index < kValueCount ? values_[index] : 0;
}

double TECScorePage::GetValue(int index) const {
  if (index < 0 || index >= kValueCount) return 0;
  return StoredToDisplayUnits(setting_, Unit(), false, values_[index]);
}

namespace {
// Whether the lengths keep some width and height between the margins.
bool HasUsableArea(const double* v) {
  return v[TECScorePage::viLeftMargin] + v[TECScorePage::viRightMargin] < v[TECScorePage::viWidth] &&
         v[TECScorePage::viTopMargin] + v[TECScorePage::viBottomMargin] < v[TECScorePage::viHeight];
}
}  // namespace

// Whether the page keeps some width and height between its margins when the
// length at index becomes value.
bool TECScorePage::LeavesUsableArea(int index, double value) const {
  double v[kValueCount];
  std::copy(std::begin(values_), std::end(values_), v);
  v[index] = value;
  return HasUsableArea(v);
}

bool TECScorePage::FitsMargins(double width, double height) const {
  double v[kValueCount];
  std::copy(std::begin(values_), std::end(values_), v);
  v[viWidth] = width;
  v[viHeight] = height;
  return HasUsableArea(v);
}

void TECScorePage::SetValue(int index, double value) {
  if (index < 0 || index >= kValueCount) return;
  const double stored = DisplayToStoredUnits(setting_, Unit(), false, value);
  if (!ValidLength(index, stored) || stored == values_[index]) return;
  if (index != viInterval && !LeavesUsableArea(index, stored)) return;
  if ((index == viWidth || index == viHeight) && paperSize_ != TECPaperSize::Custom) return;
  values_[index] = stored;
  switch (index) {
    case viWidth:
    case viLeftMargin:
    case viTopMargin:
    case viRightMargin:
      NotifyScrollBars();
      break;
    case viInterval:
      if (owner_ != nullptr) owner_->LayoutScore(0, false);
      break;
    default:
      break;
  }
  InvalidateScore();
}

void TECScorePage::SetOrientation(TPrinterOrientation orientation) {
  if (orientation != orientation_) {
    // A turned page narrower or lower than its margins is refused.
    if (!FitsMargins(values_[viHeight], values_[viWidth])) return;
    orientation_ = orientation;
    std::swap(values_[viWidth], values_[viHeight]);
  }
  NotifyScrollBars();
  InvalidateClientArea();
}

void TECScorePage::SetPaperSize(TECPaperSize size) {
  if (static_cast<int>(size) >= kPaperSizeCount) return;
  if (const auto paper = PaperDimensions(size)) {
    const bool portrait = orientation_ == TPrinterOrientation::poPortrait;
    const double width = portrait ? paper->Width : paper->Height;
    const double height = portrait ? paper->Height : paper->Width;
    // A paper narrower or lower than the margins is refused.
    if (!FitsMargins(width, height)) return;
    values_[viWidth] = width;
    values_[viHeight] = height;
  }
  paperSize_ = size;
  NotifyScrollBars();
  InvalidateClientArea();
}

void TECScorePage::SetRule(bool rule) {
  rule_ = rule;
  InvalidateClientArea();
}

void TECScorePage::SetText(const std::string& text) {
  text_ = text;
  InvalidateScore();
}

void TECScorePage::SetColor(nv::platform::Color color) {
  color_ = color;
  InvalidateClientArea();
}

void TECScorePage::SetBrush(const nv::platform::Brush& brush) {
  brush_ = brush;
  InvalidateClientArea();
}

void TECScorePage::SetPicture(const nv::platform::Picture& picture) {
  picture_ = picture;
  InvalidateClientArea();
}

void TECScorePage::SetUnitOverride(TECMetrix unit) {
  overrideUnit_ = unit;
  unitOverride_ = true;
}

void TECScorePage::ClearUnitOverride() { unitOverride_ = false; }

int TECScorePage::PixelWidth() const {
  return static_cast<int>(
      std::nearbyint(StoredToDisplayUnits(setting_, TECMetrix::rmPixels, false, values_[viWidth])));
}

int TECScorePage::PixelHeight() const {
  return static_cast<int>(std::nearbyint(
      StoredToDisplayUnits(setting_, TECMetrix::rmPixels, false, values_[viHeight])));
}

void TECScorePage::UpdateScoreSize() {
  if (owner_ == nullptr) return;
  const ScopedFlag sizing(sizing_);
  owner_->SetScoreSize(PixelWidth() + 2, PixelHeight() + 2);
  NotifyScrollBars();
  InvalidateClientArea();
}

nv::platform::Rect TECScorePage::PageRect() const { return {0, 0, PixelWidth(), PixelHeight()}; }

nv::platform::Rect TECScorePage::VisibleRect() const {
  if (owner_ == nullptr) return {};
  const ScoreViewport view = owner_->Viewport();
  int width = view.ClientWidth;
  int height = view.ClientHeight;
  if (view.Enabled) {
    width -= view.VerticalBarWidth;
    height -= view.HorizontalBarHeight;
  }
  return {view.ScrollX, view.ScrollY, view.ScrollX + width, view.ScrollY + height};
}

void TECScorePage::ClipToPage(nv::platform::Canvas& canvas) const {
  const nv::platform::Rect page = PageRect();
  const nv::platform::Rect visible = VisibleRect();
  canvas.intersectClipRect(
      {0, 0, std::min(page.right, visible.right), std::min(page.bottom, visible.bottom)});
}

void TECScorePage::DrawBackground(nv::platform::Canvas& canvas, const nv::platform::Rect&) const {
  using namespace nv::platform;
  const Rect page = PageRect();
  const Rect visible = VisibleRect();
  canvas.setBrush(brush_);
  canvas.fillRect(page);
  // The pattern is the page's; the canvas must not keep tiling it.
  canvas.brush().pattern = nv::platform::Picture();

  canvas.setBrush({systemColor(SystemColor::ButtonFace), BrushStyle::Solid, {}});
  if (page.right < visible.right) {
    canvas.fillRect({page.right, visible.top, visible.right, visible.bottom});
  }
  if (visible.bottom >= page.bottom) {
    canvas.fillRect({visible.left, page.bottom, visible.right, visible.bottom + 1});
  }

  canvas.pen().color = colors::black;
  canvas.pen().width = 2;
  const Point shadow[] = {
      {page.right + 1, 4}, {page.right + 1, page.bottom + 1}, {4, page.bottom + 1}};
  canvas.polyline(shadow);
  canvas.pen().width = 1;
  ClipToPage(canvas);
}

int TECScorePage::Zoom() const { return setting_ != nullptr ? setting_->GetZoom() : 100; }

void TECScorePage::DrawWatermark(nv::platform::Canvas& canvas) const {
  using namespace nv::platform;
  if (text_.empty()) return;
  const Rect page = PageRect();
  const int zoom = Zoom();
  canvas.brush().style = BrushStyle::Clear;
  Font& font = canvas.font();
  font = Font{};
  font.face = "Arial";
  font.bold = true;
  font.color = colors::silver;
  font.size = zoom * 24 / 100;
  const int lineHeight = canvas.textHeight("A") + zoom * 10 / 100;
  // A printed page is already at its own scale.
  if (owner_ != nullptr && owner_->Printing()) font.size = 24;
  const int x = (page.width() - canvas.textWidth(text_)) / 2;
  const int margin = zoom * 80 / 100;
  // A line height of 0 or less would never reach the bottom.
  for (int y = margin; y < page.bottom - margin && lineHeight > 0; y += lineHeight) {
    canvas.textOut(x, y, text_);
  }
  canvas.brush().style = BrushStyle::Solid;
}

void TECScorePage::Assign(const TECScorePage& source) {
  orientation_ = source.orientation_;
  paperSize_ = source.paperSize_;
  std::copy(std::begin(source.values_), std::end(source.values_), values_);
  rule_ = source.rule_;
  color_ = source.color_;
  brush_ = source.brush_;
  NotifyScrollBars();
  InvalidateClientArea();
}

void TECScorePage::LoadFromStream(ByteStream& stream) {
  const std::uint16_t count = stream.ReadU16();
  double read[kValueCount];
  std::copy(std::begin(values_), std::end(values_), read);
  auto readLength = [&](int index) {
    const double value = stream.ReadExtended();
    if (ValidLength(index, value)) read[index] = value;
  };
  int field = 1;
  for (int index : kBlockLengths) {
    if (count < field++) break;
    readLength(index);
  }
  if (count >= 7) {
    const int value = stream.ReadU16() & 0xFF;
    if (value <= static_cast<int>(TPrinterOrientation::poLandscape)) {
      orientation_ = static_cast<TPrinterOrientation>(value);
    }
  }
  if (count >= 8) {
    const int value = stream.ReadU16() & 0xFF;
    if (value < kPaperSizeCount) paperSize_ = static_cast<TECPaperSize>(value);
  }
  if (count >= 9) rule_ = stream.ReadU16() != 0;
  if (count >= 10) {
    const int value = stream.ReadU16() & 0xFF;
    if (value <= static_cast<int>(TECMetrix::rmPixels)) overrideUnit_ = static_cast<TECMetrix>(value);
  }
  if (count >= 11) readLength(viInterval);

  // Margins that leave no room keep the present side of the page and its
  // margins, which did leave room.
  if (read[viLeftMargin] + read[viRightMargin] < read[viWidth]) {
    values_[viWidth] = read[viWidth];
    values_[viLeftMargin] = read[viLeftMargin];
    values_[viRightMargin] = read[viRightMargin];
  }
  if (read[viTopMargin] + read[viBottomMargin] < read[viHeight]) {
    values_[viHeight] = read[viHeight];
    values_[viTopMargin] = read[viTopMargin];
    values_[viBottomMargin] = read[viBottomMargin];
  }
  values_[viInterval] = read[viInterval];
}

void TECScorePage::SaveToStream(ByteStream& stream) const {
  stream.WriteU16(kBlockFieldCount);
  for (int index : kBlockLengths) stream.WriteExtended(values_[index]);
  stream.WriteU16(static_cast<std::uint16_t>(orientation_));
  stream.WriteU16(static_cast<std::uint16_t>(paperSize_));
  stream.WriteU16(rule_ ? 1 : 0);
  stream.WriteU16(static_cast<std::uint16_t>(overrideUnit_));
  stream.WriteExtended(values_[viInterval]);
}

std::string TECScorePage::Dump() const {
  static const char* const kNames[kValueCount] = {"Width",       "Height",       "LeftMargin",
                                                  "TopMargin",   "RightMargin",  "BottomMargin",
                                                  "Interval"};
  std::string text = "Page";
  for (int i = 0; i < kValueCount; ++i) {
    text += std::string(" ") + kNames[i] + "=" + FormatNumber(values_[i]);
  }
  text += orientation_ == TPrinterOrientation::poPortrait ? " poPortrait" : " poLandscape";
  text += " PaperSize=" + std::string(PaperSizeName(paperSize_));
  text += std::string(" Rule=") + (rule_ ? "1" : "0");
  text += std::string(" Unit=") + MetrixName(overrideUnit_) + (unitOverride_ ? "(override)" : "");
  text += " Color=" + nv::platform::toString(color_) + " " + nv::platform::toString(brush_);
  if (!picture_.isEmpty()) text += " " + nv::platform::toString(picture_);
  text += " Text=\"" + text_ + "\"";
  return text;
}
