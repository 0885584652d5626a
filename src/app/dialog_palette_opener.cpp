#include "app/dialog_palette_opener.h"

#include "dialogs/arrangement_palettes.h"
#include "dialogs/color_palette.h"
#include "dialogs/drawing_style_palettes.h"
#include "dialogs/drum_dialogs.h"
#include "dialogs/drum_head_faces.h"
#include "dialogs/font_palettes.h"
#include "dialogs/microtone_palette.h"
#include "dialogs/notation_palettes.h"
#include "dialogs/rehearsal_mark_palette.h"
#include "dialogs/text_angle_palette.h"
#include "dialogs/time_signature_palette.h"
#include "dialogs/transpose_palette.h"
#include "platform/qt/qt_color.h"

namespace nv::app {
namespace {

using nv::dialogs::PalettePlacement;

template <typename Palette>
void Show(Palette* palette, QWidget& button, PalettePlacement placement = PalettePlacement::MainWindowTopZero) {
  palette->PlaceUnder(&button, placement);
  palette->Open();
}

void OpenChoice(nv::dialogs::ChoicePalette* palette, QWidget& button, int current, PaletteOpener::Chosen chosen) {
  palette->SetCurrent(current);
  palette->SetOnSelect([chosen = std::move(chosen)](nv::dialogs::ChoicePalette&, int value) { chosen({value}); });
  Show(palette, button);
}

}  // namespace

void DialogPaletteOpener::Open(Chooser chooser, QWidget& button, const ChooserValue& current, Chosen chosen) {
  QWidget* owner = button.window();
  switch (chooser) {
    case Chooser::Tone:
      return OpenChoice(new nv::dialogs::KeySignaturePalette(owner), button, current.Value, std::move(chosen));
    case Chooser::Key:
      return OpenChoice(new nv::dialogs::ClefPalette(owner), button, current.Value, std::move(chosen));
    case Chooser::Bracket:
      return OpenChoice(new nv::dialogs::BracketPalette(owner), button, current.Value, std::move(chosen));
    case Chooser::Size: {
      auto* palette = new nv::dialogs::TimeSignaturePalette(owner);
      palette->SetTimeSignature(current.Value);
      palette->SetSymbol(current.Style);
      palette->SetOnSelect([chosen = std::move(chosen)](nv::dialogs::TimeSignaturePalette&, int size, int symbol) {
        chosen({size, symbol});
      });
      return Show(palette, button);
    }
    case Chooser::Microtone: {
      auto* palette = new nv::dialogs::MicrotonePalette(owner);
      palette->SetMicrotone(current.Value);
      palette->SetOnSelect([chosen = std::move(chosen)](nv::dialogs::MicrotonePalette&, int code) { chosen({code}); });
      return Show(palette, button, PalettePlacement::MainWindow);
    }
    case Chooser::RehearsalMark: {
      auto* palette = new nv::dialogs::RehearsalMarkPalette(settings_, owner);
      palette->SetNumeration(current.Numeration);
      palette->SetKind(current.Kind);
      palette->SetBorder(current.Border);
      palette->SetBorderWidth(current.BorderWidth);
      palette->SetOnSelect([chosen = std::move(chosen)](nv::dialogs::RehearsalMarkPalette& mark) {
        ChooserValue value;
        value.Numeration = mark.GetNumeration();
        value.Kind = mark.GetKind();
        value.Border = mark.GetBorder();
        value.BorderWidth = mark.GetBorderWidth();
        chosen(value);
      });
      return Show(palette, button, PalettePlacement::MainWindow);
    }
    case Chooser::Drum:
      if (library_ == nullptr) return;
      return OpenChoice(new nv::dialogs::TFChooseDrum(nv::dialogs::DrumStyleFaces(*library_), false,
                                                      nv::dialogs::LibraryDrumHeads(library_), owner),
                        button, current.Value, std::move(chosen));
  }
}

void ArrangementPaletteOpener::OpenTranspose(QWidget& button, int pitch, bool up,
                                             std::function<void(int pitch)> changed) {
  auto* palette = new nv::dialogs::TransposePalette(button.window());
  palette->SetDirection(up);
  palette->SetPitch(pitch);
  palette->SetOnSelect([changed = std::move(changed)](nv::dialogs::TransposePalette&, int steps) { changed(steps); });
  Show(palette, button);
}

namespace {

void PresetJoinStyle(nv::dialogs::JoinNotesPalette& palette, const JoinStyleValue& value) {
  palette.SetActive(value.Active);
  palette.SetUnionCount(value.Count);
}
JoinStyleValue JoinStyleOf(const nv::dialogs::JoinNotesPalette& palette) {
  return {palette.GetActive(), palette.GetUnionCount()};
}
void PresetRowAlignment(nv::dialogs::RowAlignmentPalette& palette, const RowAlignmentValue& value) {
  palette.SetActive(value.Active);
  palette.SetAlignKind(value.Style);
  palette.SetNoteDensity(value.Density);
  palette.SetMeasureCount(value.MeasureCount);
  palette.SetHorzAlign(value.HorzAlign);
}
RowAlignmentValue RowAlignmentOf(const nv::dialogs::RowAlignmentPalette& palette) {
  return {palette.GetActive(), palette.GetAlignKind(), palette.GetNoteDensity(), palette.GetMeasureCount(),
          palette.GetHorzAlign()};
}

}  // namespace

void ArrangementPaletteOpener::OpenJoinStyle(QWidget& button, const JoinStyleValue& current,
                                             std::function<void(const JoinStyleValue&)> changed) {
  auto* palette = new nv::dialogs::JoinNotesPalette(settings_, button.window());
  palette->SetDialogMode(false);
  // The setters report nothing: only the user's changes come back.
  PresetJoinStyle(*palette, current);
  palette->SetOnSelect([changed = std::move(changed)](nv::dialogs::DialogPalette& p) {
    changed(JoinStyleOf(static_cast<nv::dialogs::JoinNotesPalette&>(p)));
  });
  Show(palette, button);
}

void ArrangementPaletteOpener::OpenRowAlignment(QWidget& button, const RowAlignmentValue& current,
                                                std::function<void(const RowAlignmentValue&)> changed) {
  auto* palette = new nv::dialogs::RowAlignmentPalette(settings_, button.window());
  palette->SetDialogMode(false);
  PresetRowAlignment(*palette, current);
  palette->SetOnSelect([changed = std::move(changed)](nv::dialogs::DialogPalette& p) {
    changed(RowAlignmentOf(static_cast<nv::dialogs::RowAlignmentPalette&>(p)));
  });
  Show(palette, button);
}

std::optional<JoinStyleValue> ArrangementPaletteOpener::AskJoinStyle(QWidget& owner, const JoinStyleValue& current) {
  nv::dialogs::JoinNotesPalette dialog(settings_, &owner);
  dialog.SetDialogMode(true);
  PresetJoinStyle(dialog, current);
  if (dialog.Exec() != 1) return std::nullopt;
  return JoinStyleOf(dialog);
}

std::optional<RowAlignmentValue> ArrangementPaletteOpener::AskRowAlignment(QWidget& owner,
                                                                           const RowAlignmentValue& current) {
  nv::dialogs::RowAlignmentPalette dialog(settings_, &owner);
  dialog.SetDialogMode(true);
  PresetRowAlignment(dialog, current);
  if (dialog.Exec() != 1) return std::nullopt;
  return RowAlignmentOf(dialog);
}

void LookPaletteOpener::OpenLook(LookPalette which, QWidget& button, int current, std::function<void(int)> chosen) {
  QWidget* owner = button.window();
  const auto choice = [&](nv::dialogs::ChoicePalette* palette) {
    palette->SetCurrent(current);
    palette->SetOnSelect([chosen = std::move(chosen)](nv::dialogs::ChoicePalette&, int value) { chosen(value); });
    Show(palette, button, PalettePlacement::MainWindow);
  };
  switch (which) {
    case LookPalette::Color: {
      auto* palette = new nv::dialogs::ColorPalette(nv::dialogs::SystemColorChooser(), owner);
      palette->SetColor(nv::platform::toQColor(static_cast<nv::platform::Color>(current)));
      palette->SetOnSelectColor([chosen = std::move(chosen)](nv::dialogs::ColorPalette&, const QColor& color) {
        chosen(static_cast<int>(nv::platform::fromQColor(color)));
      });
      return Show(palette, button, PalettePlacement::MainWindow);
    }
    case LookPalette::FontStyle: {
      auto* palette = new nv::dialogs::FontStylePalette(owner);
      palette->SetStyles(current);
      palette->SetOnSelect([chosen = std::move(chosen)](nv::dialogs::FontStylePalette&, int mask) { chosen(mask); });
      return Show(palette, button, PalettePlacement::MainWindow);
    }
    case LookPalette::TextRotate: {
      auto* palette = new nv::dialogs::TextAnglePalette(language_ ? language_() : QStringLiteral("ENU"), owner);
      palette->SetAngle(current);
      palette->SetOnSelect([chosen = std::move(chosen)](nv::dialogs::TextAnglePalette&, int angle) { chosen(angle); });
      return Show(palette, button, PalettePlacement::MainWindow);
    }
    case LookPalette::BrushStyle: return choice(new nv::dialogs::BrushStylePalette(owner));
    case LookPalette::LineStyle: return choice(new nv::dialogs::LineStylePalette(owner));
    case LookPalette::LineWidth: return choice(new nv::dialogs::LineWidthPalette(owner));
    case LookPalette::PointStyle: return choice(new nv::dialogs::LineEndPalette(owner));
  }
}

void LookPaletteOpener::OpenFontName(QWidget& button, const std::string& current,
                                     std::function<void(const std::string&)> chosen) {
  auto* palette = new nv::dialogs::FontNamePalette(nv::dialogs::FontNamePalette::SystemFamilies(), button.window());
  palette->SetFontName(QString::fromStdString(current));
  palette->SetOnSelect([chosen = std::move(chosen)](nv::dialogs::FontNamePalette&, const QString& name) {
    chosen(name.toStdString());
  });
  // The font list is long: it never starts above the screen's top.
  Show(palette, button, PalettePlacement::MainWindowTopZero);
}

}  // namespace nv::app
