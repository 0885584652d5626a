#include "app/design_page.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <string>

#include "app/page_buttons.h"
#include "dialogs/canvas_face.h"
#include "dialogs/logic/design_face_painters.h"
#include "document/command_registry.h"
#include "document/design_page.h"
#include "document/program_settings.h"
#include "document/tool_state.h"
#include "widgets/char_button.h"
#include "widgets/scroll_panel.h"

namespace nv::app {
namespace {

using nv::document::DesignButton;
using nv::document::DesignFace;
using nv::document::DesignLook;
using nv::document::DesignPart;
using nv::widgets::TECCharButton;

constexpr int kButtonWidth = 25;
constexpr int kButtonHeight = 25;
constexpr int kDropWidth = 11;
constexpr int kRowTop[] = {2, 2 + kButtonHeight + 1};
constexpr int kGroupGap = 5;
// The font boxes stand left of their buttons.
constexpr int kNameBoxWidth = 104;
constexpr int kSizeBoxWidth = 30;
constexpr int kUpDownWidth = 14;
constexpr int kBoxHeight = 21;
// Each tool keeps a group of its own, so that only the tool state decides
// which are down together.
constexpr int kFirstOwnGroup = 1000;


LookPalette PaletteOf(DesignLook look) {
  switch (look) {
    case DesignLook::TextColor:
    case DesignLook::BrushColor:
    case DesignLook::LineColor: return LookPalette::Color;
    case DesignLook::FontStyle: return LookPalette::FontStyle;
    case DesignLook::BrushStyle: return LookPalette::BrushStyle;
    case DesignLook::LineStyle: return LookPalette::LineStyle;
    case DesignLook::LineWidth: return LookPalette::LineWidth;
    case DesignLook::PointStyle: return LookPalette::PointStyle;
    case DesignLook::TextRotate: return LookPalette::TextRotate;
    case DesignLook::FontSize: break;  // the size has its up-down
  }
  return LookPalette::Color;
}

bool HasPalette(const DesignButton& entry) {
  return entry.Part == DesignPart::Look && (!entry.Look || *entry.Look != DesignLook::FontSize);
}

int WidthOf(const DesignButton& entry) { return kButtonWidth + (HasPalette(entry) ? kDropWidth : 0); }

}  // namespace

DesignPage::DesignPage(nv::document::CommandRegistry& registry, nv::document::ToolState& tools, LookOpener& opener,
                       QWidget* parent)
    : QWidget(parent), registry_(registry), tools_(tools), opener_(opener) {
  setObjectName("PDesign");
  // The reset button stands on the page, left of the tools.
  reset_ = MakePageButton(this, "CBResetDesign");
  reset_->setGeometry(2, kRowTop[0], kButtonWidth, kButtonHeight);
  reset_->SetGroupIndex(kFirstOwnGroup - 1);
  reset_->SetAllowAllUp(true);
  if (const nv::document::ToolButton* tool = nv::document::FindToolButton("CBResetDesign"))
    reset_->setToolTip(PageText(tool->Hint));
  ShowPicture(*reset_, "CBResetDesign");
  connect(reset_, &TECCharButton::clicked, this, [this] {
    tools_.Click("CBResetDesign");
    ShowDownStates();
  });
  panelLeft_ = 2 + kButtonWidth + 3;

  panel_ = new nv::widgets::TECScrollPanel(this);
  panel_->setObjectName("SPDesign");
  panel_->SetStep(kButtonWidth + 1);
  panel_->SetTimeOut(200);
  panel_->SetBevels(nv::widgets::PanelBevel::None, nv::widgets::PanelBevel::None, 0, 0);
  panel_->SetHorzScroll(true);
  // Columns from left to right, an upper button starting each; a gap
  // between the tools, the looks and the commands.
  int left = 2;
  int columnWidth = 0;
  const DesignButton* previous = nullptr;
  for (const DesignButton& entry : nv::document::DesignButtons()) {
    const bool upper = entry.Row == nv::document::DesignRow::Upper;
    if (upper && previous != nullptr) {
      left += columnWidth + 1 + (previous->Part != entry.Part ? kGroupGap : 0);
      columnWidth = 0;
    }
    int buttonLeft = left;
    if (entry.Name == "CBTextName" || entry.Name == "CBTextSize") {
      if (entry.Name == "CBTextName") MakeTextBoxes(left, kNameBoxWidth);
      buttonLeft += kNameBoxWidth + 2;
    }
    MakeButton(entry, panel_, buttonLeft, kRowTop[upper ? 0 : 1]);
    columnWidth = std::max(columnWidth, buttonLeft - left + WidthOf(entry));
    previous = &entry;
  }
  panel_->setGeometry(panelLeft_, 0, 400, kRowTop[1] + kButtonHeight + 5);
  setMinimumHeight(panel_->height());
  changed_ = tools_.Changed.Subscribe([this] { ShowDownStates(); });
  ShowFont();
  ShowDownStates();
}

DesignPage::~DesignPage() {
  // The main window's registry and tool state may be gone by now: the
  // boxes losing the focus as they go must reach neither.
  nameBox_->removeEventFilter(this);
  sizeBox_->removeEventFilter(this);
}

void DesignPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  panel_->resize(std::max(0, width() - panelLeft_), panel_->height());
}

TECCharButton* DesignPage::MakeButton(const DesignButton& entry, QWidget* parent, int left, int top) {
  TECCharButton* button = MakePageButton(parent, entry.Name);
  button->setGeometry(left, top, WidthOf(entry), kButtonHeight);
  const std::string name(entry.Name);
  if (entry.Part == DesignPart::Tool) {
    if (const nv::document::ToolButton* tool = nv::document::FindToolButton(entry.Name))
      button->setToolTip(PageText(tool->Hint));
    button->SetGroupIndex(kFirstOwnGroup + static_cast<int>(buttons_.size()));
    button->SetAllowAllUp(true);
    connect(button, &TECCharButton::clicked, this, [this, name] {
      tools_.Click(name);
      // The state decides: a click that changed nothing is put back.
      ShowDownStates();
    });
  } else {
    button->setToolTip(PageText(entry.Hint));
    connect(button, &TECCharButton::clicked, this, [this, &entry] { Run(entry.CommandId, nv::document::ArgsOf(entry)); });
  }
  if (HasPalette(entry)) {
    button->SetDropWidth(kDropWidth);
    connect(button, &TECCharButton::ButtonClick, this, [this, &entry, button] { OpenPalette(entry, *button); });
  }
  if (entry.Face == DesignFace::Picture) {
    ShowPicture(*button, entry.Name);
  } else {
    button->SetCustomDraw(true);
    button->SetOnDrawCharButton([this, &entry, button](QPainter& painter, const QRect&) { PaintFace(entry, *button, painter); });
  }
  buttons_.emplace_back(&entry, button);
  return button;
}

void DesignPage::MakeTextBoxes(int left, int width) {
  const auto box = [this](const char* name, const QRect& place) {
    auto* edit = new QLineEdit(panel_);
    edit->setObjectName(name);
    edit->setGeometry(place);
    edit->installEventFilter(this);
    return edit;
  };
  const int inset = (kButtonHeight - kBoxHeight) / 2;
  nameBox_ = box("ETextName", {left, kRowTop[0] + inset, width, kBoxHeight});
  nameBox_->setToolTip("Font name");
  connect(nameBox_, &QLineEdit::returnPressed, this, [this] { TakeFontName(); });
  sizeBox_ = box("ETextSize", {left + width - kSizeBoxWidth - kUpDownWidth, kRowTop[1] + inset, kSizeBoxWidth, kBoxHeight});
  sizeBox_->setToolTip("Text size");
  connect(sizeBox_, &QLineEdit::returnPressed, this, [this] { TakeFontSize(); });
  // Arrows only, beside the box; a step applies the size at once.
  sizeUpDown_ = new QSpinBox(panel_);
  sizeUpDown_->setObjectName("UDTextSize");
  sizeUpDown_->setFocusPolicy(Qt::NoFocus);
  sizeUpDown_->setRange(nv::document::kSmallestFontSize, nv::document::kLargestFontSize);
  sizeUpDown_->setStyleSheet(QStringLiteral("QSpinBox { color: transparent; padding: 0px; }"));
  sizeUpDown_->setGeometry(left + width - kUpDownWidth, kRowTop[1], kUpDownWidth, kButtonHeight);
  connect(sizeUpDown_, &QSpinBox::valueChanged, this, [this](int size) {
    tools_.Settings().TextSize = size;
    ShowFont();
    Run(nv::document::DesignCommand(DesignLook::FontSize));
  });
}

bool DesignPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == nameBox_ || watched == sizeBox_) {
    if (event->type() == QEvent::FocusIn) {
      tools_.SetEditingText(true);
    } else if (event->type() == QEvent::FocusOut) {
      tools_.SetEditingText(false);
      if (watched == nameBox_)
        TakeFontName();
      else
        TakeFontSize();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void DesignPage::TakeFontName() {
  if (const auto name = nv::document::FontNameOf(nameBox_->text().toStdString())) {
    tools_.Settings().TextName = *name;
    Run("design.font_name");
  }
  ShowFont();
}

void DesignPage::TakeFontSize() {
  if (const auto size = nv::document::FontSizeOf(sizeBox_->text().toStdString())) {
    tools_.Settings().TextSize = *size;
    Run(nv::document::DesignCommand(DesignLook::FontSize));
  }
  ShowFont();
}

void DesignPage::ShowFont() {
  const nv::document::ProgramSettings& s = tools_.Settings();
  const QString name = QString::fromStdString(s.TextName);
  if (nameBox_->text() != name) nameBox_->setText(name);
  // The box shows its name in that font.
  QFont font = nameBox_->font();
  font.setFamily(name);
  nameBox_->setFont(font);
  sizeBox_->setText(QString::number(s.TextSize));
  const QSignalBlocker quiet(sizeUpDown_);
  sizeUpDown_->setValue(s.TextSize);
}

void DesignPage::PaintFace(const DesignButton& entry, TECCharButton& button, QPainter& painter) const {
  const nv::dialogs::FaceLook look = LookOf(button);
  const nv::document::ProgramSettings& s = tools_.Settings();
  nv::dialogs::DesignFaceValues values;
  values.TextColor = s.TextColor;
  values.BrushColor = s.BrushColor;
  values.LineColor = s.LineColor;
  values.FontStyle = nv::document::DesignValue(s, DesignLook::FontStyle);
  values.BrushStyle = s.BrushStyle;
  values.LineStyle = s.LineStyle;
  values.LineWidth = s.LineWidth;
  values.PointStyle = s.PointStyle;
  values.TextRotate = s.TextRotate;
  const QRect area(0, 0, button.width() - button.DropWidth(), button.height());
  nv::dialogs::PaintCanvasFace(painter, area, [&](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
    nv::dialogs::PaintDesignFace(canvas, box, entry.Face, values, look);
  });
}

void DesignPage::OpenPalette(const DesignButton& entry, TECCharButton& button) {
  if (!entry.Look) {
    opener_.OpenFontName(button, tools_.Settings().TextName, [this](const std::string& name) {
      if (!nv::document::FontNameOf(name)) return;
      tools_.Settings().TextName = name;
      ShowFont();
      Run("design.font_name");
    });
    return;
  }
  const DesignLook look = *entry.Look;
  opener_.OpenLook(PaletteOf(look), button, nv::document::DesignValue(tools_.Settings(), look),
                   [this, look, &button, command = entry.CommandId](int value) {
                     nv::document::SetDesignValue(tools_.Settings(), look, value);
                     button.update();
                     Run(command);
                   });
}

void DesignPage::Run(std::string_view command, const nv::document::CommandArgs& args) {
  registry_.Run(std::string(command), args);
}

void DesignPage::ShowDownStates() {
  reset_->SetDown(tools_.IsDown("CBResetDesign"));
  for (const auto& [entry, button] : buttons_)
    if (entry->Part == DesignPart::Tool) button->SetDown(tools_.IsDown(entry->Name));
}

TECCharButton* DesignPage::Button(std::string_view name) const {
  if (name == "CBResetDesign") return reset_;
  const auto found = std::ranges::find(buttons_, name, [](const auto& pair) { return pair.first->Name; });
  return found == buttons_.end() ? nullptr : found->second;
}

}  // namespace nv::app
