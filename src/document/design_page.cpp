#include "document/design_page.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

#include "document/program_settings.h"
#include "document/score_document.h"

namespace nv::document {
namespace {

using nv::editing::Look;
using F = DesignFace;
using P = DesignPart;
using R = DesignRow;
using L = DesignLook;

// The looks with their commands and what each changes on the selection.
struct LookCommand {
  DesignLook look;
  std::string_view id;
  std::string_view caption;
  Look edit;
};
constexpr std::array<LookCommand, 10> kLooks = {{
    {L::TextColor, "design.text_color", "Text color", Look::TextColor},
    {L::BrushColor, "design.brush_color", "Fill color", Look::BrushColor},
    {L::LineColor, "design.line_color", "Line color", Look::LineColor},
    {L::FontStyle, "design.font_style", "Font style", Look::FontStyle},
    {L::BrushStyle, "design.brush_style", "Fill style", Look::BrushStyle},
    {L::LineStyle, "design.line_style", "Line style", Look::LineStyle},
    {L::LineWidth, "design.line_width", "Line width", Look::LineWidth},
    {L::PointStyle, "design.point_style", "Point styles", Look::PointStyle},
    {L::TextRotate, "design.text_rotate", "Orientation", Look::Rotation},
    {L::FontSize, "design.font_size", "Text size", Look::FontSize},
}};
constexpr std::string_view kFontNameCommand = "design.font_name";

const LookCommand& CommandOf(DesignLook look) {
  return *std::ranges::find(kLooks, look, &LookCommand::look);
}

// The drawing tools' hints are those of their tool buttons.
const std::vector<DesignButton> kButtons = {
    {"CBPointDesign", "", P::Tool, F::Picture, R::Upper, "", {}, {}},
    {"CBText", "", P::Tool, F::Picture, R::Lower, "", {}, {}},
    {"CBComment", "", P::Tool, F::Picture, R::Upper, "", {}, {}},
    {"CBImage", "", P::Tool, F::Picture, R::Lower, "", {}, {}},
    {"CBLine", "", P::Tool, F::Line, R::Upper, "", {}, {}},
    {"CBPointLine", "", P::Tool, F::Arrow, R::Lower, "", {}, {}},
    {"CBRectangle", "", P::Tool, F::Rectangle, R::Upper, "", {}, {}},
    {"CBFillRectangle", "", P::Tool, F::FillRectangle, R::Lower, "", {}, {}},
    {"CBEllipse", "", P::Tool, F::Ellipse, R::Upper, "", {}, {}},
    {"CBFillEllipse", "", P::Tool, F::FillEllipse, R::Lower, "", {}, {}},
    {"CBPie", "", P::Tool, F::Pie, R::Upper, "", {}, {}},
    {"CBFillPie", "", P::Tool, F::FillPie, R::Lower, "", {}, {}},
    {"CBSegment", "", P::Tool, F::Segment, R::Upper, "", {}, {}},
    {"CBFillSegment", "", P::Tool, F::FillSegment, R::Lower, "", {}, {}},
    {"CBArc", "", P::Tool, F::Arc, R::Upper, "", {}, {}},
    {"CBTextColor", "Text color", P::Look, F::TextColor, R::Upper, "design.text_color", {}, L::TextColor},
    {"CBBrushColor", "Fill color", P::Look, F::BrushColor, R::Lower, "design.brush_color", {}, L::BrushColor},
    {"CBLineColor", "Line color", P::Look, F::LineColor, R::Upper, "design.line_color", {}, L::LineColor},
    {"CBLineWidth", "Line width", P::Look, F::LineWidth, R::Lower, "design.line_width", {}, L::LineWidth},
    {"CBLineStyle", "Line style", P::Look, F::LineStyle, R::Upper, "design.line_style", {}, L::LineStyle},
    {"CBBrushStyle", "Fill style", P::Look, F::BrushStyle, R::Lower, "design.brush_style", {}, L::BrushStyle},
    {"CBPointStyles", "Point styles", P::Look, F::PointStyle, R::Upper, "design.point_style", {}, L::PointStyle},
    {"CBTextRotate", "Orientation", P::Look, F::TextRotate, R::Lower, "design.text_rotate", {}, L::TextRotate},
    {"CBTextStyle", "", P::Look, F::TextStyle, R::Upper, "design.font_style", {}, L::FontStyle},
    // The name and size boxes stand beside these two.
    {"CBTextName", "Font name", P::Look, F::Picture, R::Upper, kFontNameCommand, {}, {}},
    {"CBTextSize", "Text size", P::Look, F::Picture, R::Lower, "design.font_size", {}, L::FontSize},
    {"CBAlignLeft", "Align to left", P::Command, F::AlignLeft, R::Upper, "design.text_align", {"0"}, {}},
    {"CBAlignCenter", "Align by center", P::Command, F::AlignCenter, R::Lower, "design.text_align", {"1"}, {}},
    {"CBAlignRight", "Align to right", P::Command, F::AlignRight, R::Upper, "design.text_align", {"2"}, {}},
    {"CBAlignFull", "Align by width", P::Command, F::AlignFull, R::Lower, "design.text_align", {"3"}, {}},
    {"CBAllPages", "On all pages", P::Command, F::Picture, R::Upper, "design.objects_page", {"0"}, {}},
    {"CBCurrentPage", "On one page", P::Command, F::Picture, R::Lower, "design.objects_page", {"1"}, {}},
    {"CBBrToFront", "Bring to front", P::Command, F::Picture, R::Upper, "object.to_front", {}, {}},
    {"CBSnToBack", "Send to back", P::Command, F::Picture, R::Lower, "object.to_back", {}, {}},
};

int IntArg(const CommandArgs& args) {
  int value = 0;
  if (args.empty() || std::from_chars(args[0].data(), args[0].data() + args[0].size(), value).ec != std::errc{})
    throw std::invalid_argument("a number is missing");
  return value;
}

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

int DesignValue(const ProgramSettings& s, DesignLook look) {
  switch (look) {
    case L::TextColor: return s.TextColor;
    case L::BrushColor: return s.BrushColor;
    case L::LineColor: return s.LineColor;
    case L::FontStyle: return FontStyleMask(s.FontBold, s.FontItalic, s.FontUnderlite, s.FontStrikeOut);
    case L::BrushStyle: return s.BrushStyle;
    case L::LineStyle: return s.LineStyle;
    case L::LineWidth: return s.LineWidth;
    case L::PointStyle: return s.PointStyle;
    case L::TextRotate: return s.TextRotate;
    case L::FontSize: return s.TextSize;
  }
  return 0;
}

void SetDesignValue(ProgramSettings& s, DesignLook look, int value) {
  switch (look) {
    case L::TextColor: s.TextColor = value; return;
    case L::BrushColor: s.BrushColor = value; return;
    case L::LineColor: s.LineColor = value; return;
    case L::FontStyle:
      s.FontBold = (value & 1) != 0;
      s.FontItalic = (value & 2) != 0;
      s.FontUnderlite = (value & 4) != 0;
      s.FontStrikeOut = (value & 8) != 0;
      return;
    case L::BrushStyle: s.BrushStyle = value; return;
    case L::LineStyle: s.LineStyle = value; return;
    case L::LineWidth: s.LineWidth = value; return;
    case L::PointStyle: s.PointStyle = value; return;
    case L::TextRotate: s.TextRotate = value; return;
    case L::FontSize: s.TextSize = value; return;
  }
}

std::string_view DesignCommand(DesignLook look) { return CommandOf(look).id; }

std::optional<int> FontSizeOf(std::string_view typed) {
  const std::string_view text = Trimmed(typed);
  int size = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  if (size < kSmallestFontSize || size > kLargestFontSize) return std::nullopt;
  return size;
}

std::optional<std::string> FontNameOf(std::string_view typed) {
  const std::string_view name = Trimmed(typed);
  if (name.empty()) return std::nullopt;
  return std::string(name);
}

std::span<const DesignButton> DesignButtons() { return kButtons; }

const DesignButton* FindDesignButton(std::string_view name) { return FindButtonNamed(DesignButtons(), name); }

void DocumentPageObjectEdits::ChangeLook(Look look, int value) {
  nv::editing::ChangeSelectedLook(document_.Score(), look, value);
}
void DocumentPageObjectEdits::ChangeFontName(const std::string& name) {
  nv::editing::ChangeSelectedFontName(document_.Score(), name);
}
void DocumentPageObjectEdits::Reorder(bool front) { nv::editing::ReorderSelectedObjectsStep(document_.Score(), front); }

void AddDesignCommands(CommandRegistry& registry, std::function<PageObjectEdits*()> active,
                       const ProgramSettings& settings) {
  const ProgramSettings* values = &settings;
  const auto add = [&](std::string_view id, std::string_view caption,
                       std::function<void(PageObjectEdits&, const CommandArgs&)> run) {
    Command command;
    command.Id = std::string(id);
    command.Caption = std::string(caption);
    command.Run = [active, run = std::move(run)](const CommandArgs& args) {
      if (PageObjectEdits* edits = active()) run(*edits, args);
    };
    command.Enabled = [active] { return active() != nullptr; };
    registry.Add(std::move(command));
  };
  for (const LookCommand& look : kLooks)
    add(look.id, look.caption, [values, look](PageObjectEdits& e, const CommandArgs&) {
      e.ChangeLook(look.edit, DesignValue(*values, look.look));
    });
  add(kFontNameCommand, "Font name", [values](PageObjectEdits& e, const CommandArgs&) { e.ChangeFontName(values->TextName); });
  add("design.text_align", "Text alignment",
      [](PageObjectEdits& e, const CommandArgs& a) { e.ChangeLook(Look::TextAlign, std::clamp(IntArg(a), 0, 3)); });
  add("design.objects_page", "On all pages or one page",
      [](PageObjectEdits& e, const CommandArgs& a) { e.ChangeLook(Look::OnePage, IntArg(a) != 0 ? 1 : 0); });
  add("object.to_front", "Bring to front", [](PageObjectEdits& e, const CommandArgs&) { e.Reorder(true); });
  add("object.to_back", "Send to back", [](PageObjectEdits& e, const CommandArgs&) { e.Reorder(false); });
}

}  // namespace nv::document
