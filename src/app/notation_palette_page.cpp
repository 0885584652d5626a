#include "app/notation_palette_page.h"

#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/page_buttons.h"
#include "app/tool_up_down.h"
#include "dialogs/canvas_face.h"
#include "dialogs/drum_head_faces.h"
#include "dialogs/logic/clef_glyph_painter.h"
#include "dialogs/logic/drum_button_painter.h"
#include "dialogs/logic/tool_face_painters.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "editor/tool_faces.h"
#include "widgets/char_button.h"
#include "widgets/scroll_panel.h"

namespace nv::app {
namespace {

using nv::document::FaceKind;
using nv::document::PaintedFace;
using nv::document::PaletteCell;
using nv::document::PlacedCell;
using nv::document::SymbolGroup;
using nv::document::SymbolStripLayout;
using nv::document::ToolPage;
using nv::widgets::TECCharButton;

constexpr int kPageLeft = 2;
// Each button keeps a group of its own, so that only the tool state
// decides which buttons are down together.
constexpr int kFirstOwnGroup = 1000;

constexpr SymbolGroup kGroups[] = {SymbolGroup::Dinamics, SymbolGroup::Fermata, SymbolGroup::Accepts,
                                   SymbolGroup::Strings, SymbolGroup::Bends};

struct UpDownName {
  std::string_view name;
  nv::document::UpDownId id;
};
constexpr UpDownName kUpDowns[] = {
    {"UDTreole", nv::document::UpDownId::Treole},
    {"UDTremolo", nv::document::UpDownId::Tremolo},
    {"UDRepeatBar", nv::document::UpDownId::RepeatBar},
    {"UDRepeatNote", nv::document::UpDownId::RepeatNote},
};

std::optional<SymbolGroup> GroupOfExpander(std::string_view name) {
  for (const SymbolGroup group : kGroups)
    if (SymbolStripLayout::ExpanderName(group) == name) return group;
  return std::nullopt;
}


}  // namespace

NotationPalettePage::NotationPalettePage(nv::document::ToolState& tools, ToolPage page, PaletteOpener& opener,
                                         nv::library::LibraryStore* library, QWidget* parent)
    : QWidget(parent), tools_(tools), opener_(opener), library_(library) {
  setObjectName(page == ToolPage::Notes ? "PNotes" : "PSymbols");
  std::vector<const PaletteCell*> own;
  std::vector<const PaletteCell*> strip;
  for (const PaletteCell& cell : nv::document::PaletteCells(page))
    (nv::document::OnPageItself(cell) ? own : strip).push_back(&cell);

  stripLeft_ = kPageLeft;
  for (PlacedCell placed : nv::document::PlaceCells(own)) {
    placed.Left += kPageLeft;
    TECCharButton* button = MakeButton(placed, this);
    stripLeft_ = std::max(stripLeft_, button->geometry().right() + 3);
  }
  panel_ = new nv::widgets::TECScrollPanel(this);
  panel_->setObjectName(page == ToolPage::Notes ? "SPNotes" : "SPSymbols");
  panel_->SetStep(page == ToolPage::Notes ? 25 : 26);
  panel_->SetTimeOut(200);
  panel_->SetBevels(nv::widgets::PanelBevel::None, nv::widgets::PanelBevel::None, 0, 0);
  panel_->SetHorzScroll(true);
  const auto placedStrip = nv::document::PlaceCells(strip);
  for (const PlacedCell& placed : placedStrip) {
    if (placed.Cell->Face == FaceKind::UpDown)
      MakeUpDown(placed);
    else
      MakeButton(placed, panel_);
  }
  panel_->setGeometry(stripLeft_, 0, 400, nv::document::kPaletteLowerTop + nv::document::kPaletteButtonHeight + 5);
  setMinimumHeight(panel_->height());

  if (page == ToolPage::Symbols) {
    strip_ = SymbolStripLayout::ForSymbolsPage();
    for (const SymbolGroup group : kGroups)
      if (SymbolStripLayout::Setting(tools_.Settings(), group)) ToggleGroup(group);
  }
  changed_ = tools_.Changed.Subscribe([this] {
    ShowDownStates();
    ShowValues();
  });
  ShowValues();
  ShowDownStates();
}

NotationPalettePage::~NotationPalettePage() = default;

void NotationPalettePage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  panel_->resize(std::max(0, width() - stripLeft_), panel_->height());
}

TECCharButton* NotationPalettePage::MakeButton(const PlacedCell& placed, QWidget* parent) {
  const PaletteCell& cell = *placed.Cell;
  TECCharButton* button = MakePageButton(parent, cell.Name);
  const std::string name(cell.Name);
  button->setGeometry(placed.Left, placed.Top, placed.Width, placed.Height);
  if (cell.DropPart) button->SetDropWidth(cell.Face == FaceKind::DropOnly ? placed.Width : nv::document::kPaletteDropWidth);
  if (const nv::document::ToolButton* tool = nv::document::FindToolButton(cell.Name)) {
    button->setToolTip(PageText(tool->Hint));
    button->SetGroupIndex(kFirstOwnGroup + static_cast<int>(buttons_.size()));
    button->SetAllowAllUp(true);
    connect(button, &TECCharButton::clicked, this, [this, name] {
      tools_.Click(name);
      // The state decides: a click that changed nothing is put back.
      ShowDownStates();
    });
  }
  if (const auto group = GroupOfExpander(cell.Name)) {
    button->SetArrowStyle(nv::widgets::ArrowDirection::Left);
    connect(button, &TECCharButton::ButtonClick, this, [this, group = *group] { ToggleGroup(group); });
  } else if (cell.DropPart) {
    connect(button, &TECCharButton::ButtonClick, this, [this, name] { OpenChooser(name); });
  }
  ApplyFace(*button, cell);
  buttons_.push_back(button);
  return button;
}

void NotationPalettePage::MakeUpDown(const PlacedCell& placed) {
  const auto named = std::find_if(std::begin(kUpDowns), std::end(kUpDowns),
                                  [&](const UpDownName& u) { return u.name == placed.Cell->Name; });
  if (named == std::end(kUpDowns)) return;
  const nv::document::UpDownId id = named->id;
  QSpinBox* box = MakeToolUpDown(
      tools_, id, PageText(placed.Cell->Name), panel_);
  box->setGeometry(placed.Left, placed.Top, placed.Width, placed.Height);
  upDowns_.emplace_back(id, box);
}

QSpinBox* NotationPalettePage::UpDown(std::string_view name) const {
  for (const auto& [id, box] : upDowns_)
    if (box->objectName().toStdString() == name) return box;
  return nullptr;
}

void NotationPalettePage::ApplyFace(TECCharButton& button, const PaletteCell& cell) {
  switch (cell.Face) {
    case FaceKind::Char: {
      const nv::editor::ToolFace face{cell.Char, {}};
      button.setFont(face.Font(cell.Size));
      button.SetChar(cell.Char);
      button.SetPos(cell.PosX, cell.PosY);
      button.SetAntialiased(true);
      break;
    }
    case FaceKind::Picture:
      ShowPicture(button, cell.Name);
      break;
    case FaceKind::Caption: {
      QFont font(PageText(cell.CaptionFont));
      font.setPixelSize(cell.CaptionPixels);
      button.setFont(font);
      button.setText(PageText(cell.Caption));
      button.SetMargin(-1);
      break;
    }
    case FaceKind::Painted: {
      const PaintedFace face = cell.Painter;
      button.SetCustomDraw(true);
      button.SetOnDrawCharButton([this, &button, face](QPainter& painter, const QRect&) { PaintFace(button, painter, face); });
      break;
    }
    case FaceKind::DropOnly:
      // Custom drawing with no painter: only the drop part shows.
      button.SetCustomDraw(true);
      break;
    case FaceKind::UpDown: break;
  }
}

void NotationPalettePage::PaintFace(TECCharButton& button, QPainter& painter, PaintedFace face) {
  const nv::dialogs::FaceLook look = LookOf(button);
  const nv::document::ProgramSettings& settings = tools_.Settings();
  nv::dialogs::ToolFaceValues values;
  values.Key = settings.Key;
  values.Tone = settings.Tone;
  values.ScoreSize = settings.ScoreSize;
  values.ScoreSizeStyle = settings.ScoreSizeStyle;
  values.Treole = tools_.UpDown(nv::document::UpDownId::Treole).Position;
  values.Tremolo = tools_.UpDown(nv::document::UpDownId::Tremolo).Position;
  values.RepeatBar = tools_.UpDown(nv::document::UpDownId::RepeatBar).Position;
  values.RepeatNote = tools_.UpDown(nv::document::UpDownId::RepeatNote).Position;
  values.MeasurePause = settings.MeasurePause;
  values.RehearsalKind = settings.RehearsalMarkKind;
  values.RehearsalBorder = settings.RehearsalMarkBorderKind;
  values.RehearsalBorderWidth = settings.RehearsalMarkBorderWidth;
  const QRect area(0, 0, button.width() - button.DropWidth(), button.height());
  nv::dialogs::PaintCanvasFace(painter, area, [&](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
    if (face == PaintedFace::DrumNote) {
      // The chosen style, or the plain head while there is none to show.
      const nv::library::TECDrumDescription* style =
          library_ != nullptr ? nv::dialogs::LoadedDrumStyle(*library_, settings.DrumStyle) : nullptr;
      nv::dialogs::DrawDrumButton(canvas, box, style, look, nv::dialogs::PaintDrumStyleElement);
    } else {
      nv::dialogs::PaintToolFace(canvas, box, face, values, look);
    }
  });
}

void NotationPalettePage::OpenChooser(std::string_view name) {
  nv::document::ProgramSettings& settings = tools_.Settings();
  TECCharButton* button = Button(name);
  if (button == nullptr) return;
  const auto after = [this](std::string_view pressed) {
    ShowValues();
    tools_.Press(pressed);
  };
  if (name == "CBTone") {
    opener_.Open(Chooser::Tone, *button, {settings.Tone}, [&settings, after](const ChooserValue& v) {
      settings.Tone = v.Value;
      after("CBTone");
    });
  } else if (name == "CBKey") {
    opener_.Open(Chooser::Key, *button, {settings.Key}, [&settings, after](const ChooserValue& v) {
      settings.Key = v.Value;
      after("CBKey");
    });
  } else if (name == "CBSize") {
    opener_.Open(Chooser::Size, *button, {settings.ScoreSize, settings.ScoreSizeStyle},
                 [&settings, after](const ChooserValue& v) {
                   settings.ScoreSize = v.Value;
                   settings.ScoreSizeStyle = v.Style;
                   after("CBSize");
                 });
  } else if (name == "CBMicrotone") {
    opener_.Open(Chooser::Microtone, *button, {settings.MicroTone}, [&settings, after](const ChooserValue& v) {
      if (nv::document::MicrotoneFaceOf(v.Value) == nullptr) return;
      settings.MicroTone = v.Value;
      after("CBMicrotone");
    });
  } else if (name == "CBBracketStyle") {
    opener_.Open(Chooser::Bracket, *button, {settings.BracketStyle}, [&settings, after](const ChooserValue& v) {
      if (nv::document::BracketCaption(v.Value).empty()) return;
      settings.BracketStyle = v.Value;
      after("CBBracketStyle");
    });
  } else if (name == "CBDrumStyles") {
    opener_.Open(Chooser::Drum, *button, {settings.DrumStyle}, [this, &settings, after](const ChooserValue& v) {
      if (v.Value != settings.DrumStyle) {
        settings.DrumStyle = v.Value;
        if (TECCharButton* drum = Button("CBDrumNote")) drum->update();
      }
      after("CBDrumNote");
    });
  } else if (name == "CBShare") {
    ChooserValue current;
    current.Numeration = settings.RehearsalMarkNumeration;
    current.Kind = settings.RehearsalMarkKind;
    current.Border = settings.RehearsalMarkBorderKind;
    current.BorderWidth = settings.RehearsalMarkBorderWidth;
    opener_.Open(Chooser::RehearsalMark, *button, current, [this, &settings](const ChooserValue& v) {
      settings.RehearsalMarkNumeration = v.Numeration;
      settings.RehearsalMarkKind = v.Kind;
      settings.RehearsalMarkBorderKind = v.Border;
      settings.RehearsalMarkBorderWidth = v.BorderWidth;
      ShowValues();
    });
  }
}

void NotationPalettePage::ShowValues() {
  const nv::document::ProgramSettings& settings = tools_.Settings();
  if (TECCharButton* key = Button("CBKey")) key->setToolTip(QString::fromStdString(nv::dialogs::ClefName(settings.Key)));
  if (TECCharButton* micro = Button("CBMicrotone")) {
    // A code outside the table keeps the face and hint the button has.
    if (const nv::document::MicrotoneFace* face = nv::document::MicrotoneFaceOf(settings.MicroTone)) {
      micro->SetChar(face->Char);
      micro->SetPos(face->PosX, face->PosY);
      micro->setToolTip(PageText(face->Hint));
    }
  }
  if (TECCharButton* bracket = Button("CBBracketStyle")) {
    const std::string_view caption = nv::document::BracketCaption(settings.BracketStyle);
    if (!caption.empty()) bracket->setText(PageText(caption));
  }
  if (TECCharButton* repeat = Button("CBRepeatBar"))
    repeat->setToolTip(QString::fromStdString(
        nv::document::RepeatBarHint(tools_.UpDown(nv::document::UpDownId::RepeatBar).Position)));
  if (TECCharButton* repeat = Button("CBRepeatNote"))
    repeat->setToolTip(QString::fromStdString(
        nv::document::RepeatNoteHint(tools_.UpDown(nv::document::UpDownId::RepeatNote).Position)));
  for (TECCharButton* button : buttons_)
    if (button->CustomDraw()) button->update();
  // The keys step the up-downs too.
  for (const auto& [id, box] : upDowns_) {
    const QSignalBlocker quiet(box);
    box->setValue(tools_.UpDown(id).Position);
  }
}

void NotationPalettePage::ShowDownStates() {
  for (TECCharButton* button : buttons_) {
    if (button->GroupIndex() == 0) continue;
    button->SetDown(tools_.IsDown(button->objectName().toStdString()));
  }
}

void NotationPalettePage::ToggleGroup(SymbolGroup group) {
  if (!strip_) return;
  const bool folded = strip_->Toggle(group);
  SymbolStripLayout::Setting(tools_.Settings(), group) = folded;
  if (TECCharButton* expander = Button(SymbolStripLayout::ExpanderName(group)))
    expander->SetArrowStyle(folded ? nv::widgets::ArrowDirection::Right : nv::widgets::ArrowDirection::Left);
  ApplyStripLayout();
  if (folded) tools_.Press("CBPointSymbols");
}

void NotationPalettePage::ApplyStripLayout() {
  // The panel may be scrolled: every control keeps the scroll's offset. The
  // first control is left of every group and never moves.
  const auto& controls = strip_->Controls();
  const int offset = Button(controls.front().Name)->x() - controls.front().Left;
  for (const auto& control : controls) {
    TECCharButton* button = Button(control.Name);
    button->move(control.Left + offset, button->y());
    button->setVisible(control.Visible);
  }
  panel_->RefreshButtons();
}

TECCharButton* NotationPalettePage::Button(std::string_view name) const {
  for (TECCharButton* button : buttons_)
    if (button->objectName().toStdString() == name) return button;
  return nullptr;
}

}  // namespace nv::app
