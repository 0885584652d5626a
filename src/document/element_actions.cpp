#include "document/element_actions.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "document/element_dialogs.h"
#include "document/program_settings.h"
#include "document/score_edits.h"
#include "document/score_properties.h"
#include "document/tool_state.h"
#include "model/element_kinds.h"
#include "model/measure_items.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/page_objects.h"

namespace nv::document {
namespace {

struct EditorKinds {
  ElementEditor Editor;
  int Kind;
  int Kind2;
};

// In the order a double click tries them.
constexpr std::array<EditorKinds, 8> kEditorKinds = {{
    {ElementEditor::Text, 61, 61},
    {ElementEditor::Chord, 51, 51},
    {ElementEditor::Image, 62, 62},
    {ElementEditor::Comment, 240, 240},
    {ElementEditor::Tempo, 99, 99},
    {ElementEditor::GraceNotes, 120, 120},
    {ElementEditor::Notes, 21, 27},
    {ElementEditor::Barre, 228, 228},
}};

constexpr int kPageText = 61;
constexpr int kTextBox = 240;

// The design page's shape buttons: the kind each starts and whether it is filled.
struct ShapeButton {
  std::string_view Name;
  int Kind;
  bool Filled;
};
constexpr ShapeButton kShapeButtons[] = {
    {"CBLine", 63, false},    {"CBPointLine", 63, false},    {"CBRectangle", 64, false}, {"CBEllipse", 65, false},
    {"CBArc", 66, false},     {"CBPie", 67, false},          {"CBSegment", 68, false},   {"CBFillRectangle", 64, true},
    {"CBFillEllipse", 65, true}, {"CBFillPie", 67, true},    {"CBFillSegment", 68, true},
};
constexpr int kClearBrush = 1;

}  // namespace

bool ElementEditorOffered(const TECMusicScore& score, ElementEditor editor) {
  for (const EditorKinds& entry : kEditorKinds)
    if (entry.Editor == editor) return score.SelectionHasKind(entry.Kind, entry.Kind2);
  return false;
}

std::optional<ElementEditor> DoubleClickEditor(const TECMusicScore& score) {
  for (const EditorKinds& entry : kEditorKinds)
    if (score.SelectionHasKind(entry.Kind, entry.Kind2)) return entry.Editor;
  return std::nullopt;
}

ElementActions::ElementActions(TECMusicScore& score, ElementDialogs& dialogs, const ToolState* tools,
                               std::function<void()> focusScore)
    : score_(score), dialogs_(dialogs), tools_(tools), focusScore_(std::move(focusScore)) {}

bool ElementActions::Edit(ElementEditor editor) {
  if (editor != ElementEditor::GraceNotes && !ElementEditorOffered(score_, editor)) return false;
  switch (editor) {
    case ElementEditor::Text: return EditText(kPageText, false);
    case ElementEditor::Comment: return EditText(kTextBox, true);
    case ElementEditor::Tempo: return EditTempo();
    case ElementEditor::GraceNotes: return EditGraceNotes();
    case ElementEditor::Image: return EditImage();
    case ElementEditor::Barre: return EditBarre();
    case ElementEditor::Chord: return EditChord();
    case ElementEditor::Notes: return EditNotes();
  }
  return false;
}

bool ElementActions::EditText(int kind, bool alignToNotesShown) {
  TECMusicScore::TextProperties text;
  if (!score_.GetSelectedText(kind, text)) return false;
  TextInputValues values;
  values.Lines = text.Lines;
  values.Align = text.Align;
  values.FontColor = text.Color;
  values.FontStyle = text.Style;
  values.FontSize = text.Size;
  values.FontName = text.FontName;
  values.AlignToNotesShown = alignToNotesShown;
  const bool ok = dialogs_.TextInput(values);
  focusScore_();
  if (!ok) return false;
  text.Lines = values.Lines;
  text.Align = std::clamp(values.Align, 0, 3);
  text.Color = values.FontColor;
  text.Style = values.FontStyle;
  text.Size = values.FontSize;
  text.FontName = values.FontName;
  score_.SetSelectedText(kind, text);
  return true;
}

bool ElementActions::EditTempo() {
  TempoValues values;
  if (!score_.GetSelectedTempo(values.BeatNote, values.Tempo)) return false;
  const bool ok = dialogs_.TempoInput(values);
  focusScore_();
  if (ok) score_.SetSelectedTempo(values.BeatNote, values.Tempo);
  return ok;
}

bool ElementActions::EditGraceNotes() {
  // Nothing happens without a grace-note group where the score was clicked.
  const TECGraceGroup* group = score_.GetGraceNotesOfClicked();
  if (group == nullptr || group->Owner == nullptr || group->Owner->Type() != TECElementType::Note) return false;
  auto* note = static_cast<TECNote*>(group->Owner);
  ScoreEditCalls edits(score_);
  GraceNotesValues values = edits.GraceNotesOf(note);
  values.Count = std::max(values.Count, 1);
  const bool ok = dialogs_.GraceNotes(values);
  focusScore_();
  if (ok) edits.SetGraceNotes(note, values);
  return ok;
}

bool ElementActions::EditImage() {
  TECPicture picture;
  ImageValues values;
  if (!score_.GetSelectedImage(picture, values.Width, values.Stretch, values.Centre, values.Height)) return false;
  values.PictureType = picture.Type;
  values.Picture = std::move(picture.Data);
  const bool ok = dialogs_.ImageInput(values);
  focusScore_();
  if (ok)
    score_.SetSelectedImage(TECPicture(values.PictureType, std::move(values.Picture)), values.Width, values.Stretch,
                            values.Centre, values.Height);
  return ok;
}

bool ElementActions::EditBarre() {
  BarreValues values;
  const bool ok = dialogs_.BarreProperties(values);
  focusScore_();
  if (ok) score_.SetSelectedBarre(values.Fret, values.Style);
  return ok;
}

bool ElementActions::EditChord() {
  ChordValues values;
  if (!score_.GetSelectedChord(values.Pieces)) return false;
  if (!dialogs_.ChordEditor(values)) return false;
  score_.SetSelectedChord(values.Pieces);
  return true;
}

bool ElementActions::EditNotes() {
  const std::optional<int> program = ReadNoteProgram(score_);
  if (!program) return false;
  NotePropertiesValues values;
  values.Instrument = *program;
  if (!dialogs_.NoteProperties(values)) return false;
  ApplyNoteProgram(score_, values.Instrument);
  return true;
}

std::optional<ElementEditor> ElementActions::MouseDown(TECMouseButton button, TECShiftState shift, int x, int y) {
  if (button != TECMouseButton::mbLeft) return std::nullopt;
  if (StartShape(x, y)) return std::nullopt;
  if ((shift & ssDouble) == 0) return std::nullopt;
  return DoubleClickEditor(score_);
}

bool ElementActions::StartShape(int x, int y) {
  if (tools_ == nullptr || tools_->ActivePage() != ToolPage::Design) return false;
  const auto shape = std::ranges::find_if(kShapeButtons, [this](const ShapeButton& b) { return tools_->IsDown(b.Name); });
  if (shape == std::end(kShapeButtons)) return false;
  const ProgramSettings& s = tools_->Settings();
  TECMusicScore::ShapeSettings& style = score_.ShapeStyle;
  style.PenWidth = s.LineWidth;
  style.PenColor = s.LineColor;
  style.PenStyle = s.LineStyle;
  style.BrushColor = s.BrushColor;
  style.BrushStyle = shape->Filled ? s.BrushStyle : kClearBrush;
  style.EndShapes = shape->Name == "CBPointLine" ? s.PointStyle : 0;
  score_.BeginShape(shape->Kind, x, y);
  return true;
}

void ElementActions::PageClick(int x, int y) {
  if (tools_ == nullptr) return;
  if (tools_->IsDown("CBText")) {
    const ProgramSettings& s = tools_->Settings();
    TextInputValues values;
    values.FontName = s.TextName;
    values.FontSize = s.TextSize;
    values.FontStyle = FontStyleMask(s.FontBold, s.FontItalic, s.FontUnderlite, s.FontStrikeOut);
    values.FontColor = s.TextColor;
    values.AlignToNotesShown = false;
    const bool ok = dialogs_.TextInput(values);
    focusScore_();
    if (ok && !values.Lines.empty())
      score_.AddPageText(x, y, values.FontColor, values.FontStyle, values.FontSize, values.FontName, values.Lines);
  } else if (tools_->IsDown("CBImage")) {
    ImageValues values;
    const bool ok = dialogs_.ImageInput(values);
    focusScore_();
    if (ok && !values.Picture.empty())
      score_.AddPagePicture(x, y, values.Stretch, values.Centre, TECPicture(values.PictureType, std::move(values.Picture)),
                            values.Height, values.Width);
  }
}

}  // namespace nv::document
