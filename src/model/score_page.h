#pragma once

#include <cstdint>
#include <string>

#include "model/music_setting.h"
#include "model/paper_sizes.h"
#include "model/stream.h"
#include "platform/brush.h"
#include "platform/canvas.h"
#include "platform/colors.h"
#include "platform/picture.h"

enum class TPrinterOrientation : std::uint8_t { poPortrait, poLandscape };

// What the score control shows of the page: its scroll positions and client
// size, and the scroll bars' sizes (they show only while it is enabled).
struct ScoreViewport {
  int ScrollX = 0;
  int ScrollY = 0;
  int ClientWidth = 0;
  int ClientHeight = 0;
  int VerticalBarWidth = 0;
  int HorizontalBarHeight = 0;
  bool Enabled = false;
};

// What the page setup needs of the score that owns it.
class IScorePageOwner {
 public:
  virtual ~IScorePageOwner() = default;
  // Repaints the whole control; nothing while it has no window.
  virtual void InvalidateClientArea() = 0;
  virtual void InvalidateScore() = 0;
  virtual void LayoutScore(int page, bool full) = 0;
  virtual void SetScoreSize(int width, int height) = 0;
  virtual ScoreViewport Viewport() const = 0;
  // True while the score prints its pages.
  virtual bool Printing() const = 0;
};

// The page setup of a score: paper, orientation, page size, margins and
// system interval (stored in tenths of a millimetre, read and written in the
// display unit), colour, brush, picture and watermark text.
class TECScorePage {
 public:
  // Both may be null: no owner to notify, no settings to convert lengths with.
  TECScorePage(IScorePageOwner* owner, IECMusicSetting* setting);
  TECScorePage(const TECScorePage&) = delete;
  TECScorePage& operator=(const TECScorePage&) = delete;

  // Index of each length for GetValue and SetValue.
  enum ValueIndex { viWidth, viHeight, viLeftMargin, viTopMargin, viRightMargin, viBottomMargin, viInterval };
  static constexpr int kValueCount = 7;

  // A length in the display unit; other indices read 0.
  double GetValue(int index) const;
  // Width and height change only for a custom paper size; a value that is
  // not finite, or a size or margin that leaves no usable width or height,
  // is refused. Other indices write nothing.
  void SetValue(int index, double value);

  double Width() const { return GetValue(viWidth); }
  double Height() const { return GetValue(viHeight); }
  double LeftMargin() const { return GetValue(viLeftMargin); }
  double TopMargin() const { return GetValue(viTopMargin); }
  double RightMargin() const { return GetValue(viRightMargin); }
  double BottomMargin() const { return GetValue(viBottomMargin); }
  double Interval() const { return GetValue(viInterval); }
  void SetWidth(double value) { SetValue(viWidth, value); }
  void SetHeight(double value) { SetValue(viHeight, value); }
  void SetLeftMargin(double value) { SetValue(viLeftMargin, value); }
  void SetTopMargin(double value) { SetValue(viTopMargin, value); }
  void SetRightMargin(double value) { SetValue(viRightMargin, value); }
  void SetBottomMargin(double value) { SetValue(viBottomMargin, value); }
  void SetInterval(double value) { SetValue(viInterval, value); }

  // The stored length, in tenths of a millimetre.
  double StoredValue(int index) const;

  TPrinterOrientation Orientation() const { return orientation_; }
  void SetOrientation(TPrinterOrientation orientation);
  TECPaperSize PaperSize() const { return paperSize_; }
  void SetPaperSize(TECPaperSize size);
  bool Rule() const { return rule_; }
  void SetRule(bool rule);
  const std::string& Text() const { return text_; }
  void SetText(const std::string& text);

  nv::platform::Color Color() const { return color_; }
  void SetColor(nv::platform::Color color);
  // The page background is filled with the brush.
  const nv::platform::Brush& Brush() const { return brush_; }
  void SetBrush(const nv::platform::Brush& brush);
  // Kept for the dialogs; not drawn here.
  const nv::platform::Picture& Picture() const { return picture_; }
  void SetPicture(const nv::platform::Picture& picture);

  // While an override is set, lengths are read and written in its unit
  // instead of the score's Metrix.
  void SetUnitOverride(TECMetrix unit);
  void ClearUnitOverride();
  bool HasUnitOverride() const { return unitOverride_; }
  TECMetrix OverrideUnit() const { return overrideUnit_; }

  // Page size in device pixels (resolution and Zoom applied), rounded.
  int PixelWidth() const;
  int PixelHeight() const;
  // Sizes the score control to the page and its shadow.
  void UpdateScoreSize();
  // True while UpdateScoreSize resizes the control.
  bool Sizing() const { return sizing_; }

  // The page in pixels (0, 0, PixelWidth, PixelHeight).
  nv::platform::Rect PageRect() const;
  // The part of the score the control shows (scroll position and client
  // area less the scroll bars), empty without an owner.
  nv::platform::Rect VisibleRect() const;
  // Narrows the canvas clip to the page within the visible part.
  void ClipToPage(nv::platform::Canvas& canvas) const;
  // Fills the page with the brush and the visible area beside and below it
  // with the button face colour, draws the page shadow, then clips to the
  // page. The area to repaint does not narrow the fills.
  void DrawBackground(nv::platform::Canvas& canvas, const nv::platform::Rect& area) const;
  // The watermark text in silver bold Arial, centred, repeated down the page.
  void DrawWatermark(nv::platform::Canvas& canvas) const;

  // Copies everything but the text and the picture.
  void Assign(const TECScorePage& source);

  // The page block. A reader keeps the present value of any field the
  // block's count leaves out, and of any length that cannot be right.
  void LoadFromStream(ByteStream& stream);
  void SaveToStream(ByteStream& stream) const;

  std::string Dump() const;

 private:
  TECMetrix Unit() const;
  int Zoom() const;
  void NotifyScrollBars();
  void InvalidateClientArea();
  void InvalidateScore();
  bool LeavesUsableArea(int index, double value) const;
  // The same for a new width and height.
  bool FitsMargins(double width, double height) const;

  IScorePageOwner* owner_;
  IECMusicSetting* setting_;
  double values_[kValueCount] = {1000, 800, 100, 100, 100, 100, 160};
  TPrinterOrientation orientation_ = TPrinterOrientation::poPortrait;
  TECPaperSize paperSize_ = TECPaperSize::Custom;
  bool rule_ = true;
  TECMetrix overrideUnit_ = TECMetrix::rmMM;
  bool unitOverride_ = false;
  nv::platform::Color color_ = nv::platform::colors::white;
  nv::platform::Brush brush_;
  nv::platform::Picture picture_;
  std::string text_;
  bool sizing_ = false;
};
