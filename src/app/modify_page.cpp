#include "app/modify_page.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <string>

#include "app/page_buttons.h"
#include "dialogs/canvas_face.h"
#include "dialogs/logic/modify_face_painters.h"
#include "document/command_registry.h"
#include "document/modify_page.h"
#include "document/program_settings.h"
#include "editor/score_menu.h"
#include "widgets/char_button.h"
#include "widgets/scroll_panel.h"

namespace nv::app {
namespace {

using nv::document::ModifyButton;
using nv::document::ModifyFace;
using nv::widgets::TECCharButton;

constexpr int kButtonWidth = 25;
constexpr int kButtonHeight = 25;
constexpr int kDropWidth = 11;
constexpr int kRowTop[] = {2, 2 + kButtonHeight + 1};
// The commands that apply the join-notes style and the row alignment of the settings.
constexpr const char* kJoinStyleCommand = "layout.join_style";
constexpr const char* kRowAlignmentCommand = "layout.row_alignment";

}  // namespace

ModifyPage::ModifyPage(nv::document::CommandRegistry& registry, nv::document::ProgramSettings& settings,
                       ArrangementOpener& opener, std::unique_ptr<nv::document::OneShotTimer> timer,
                       QWidget* parent)
    : QWidget(parent),
      registry_(registry),
      settings_(settings),
      opener_(opener),
      timer_(std::move(timer)),
      // Every tick of a held button acts, the first one too.
      repeater_(*timer_, nv::widgets::ClickRepeater::kIntervalMs, nv::widgets::ClickRepeater::FirstTick::Steps) {
  setObjectName("PModify");
  panel_ = new nv::widgets::TECScrollPanel(this);
  panel_->setObjectName("SPModify");
  panel_->SetStep(nv::document::kModifyPanelStep);
  panel_->SetTimeOut(nv::document::kModifyPanelTimeOutMs);
  panel_->SetBevels(nv::widgets::PanelBevel::None, nv::widgets::PanelBevel::None, 0, 0);
  panel_->SetHorzScroll(true);
  // Columns from left to right, the upper row first; a column is as wide as
  // its wider button.
  const auto all = nv::document::ModifyButtons();
  int left = 2;
  for (std::size_t i = 0; i < all.size(); i += 2) {
    int columnWidth = 0;
    for (std::size_t row = 0; row < 2 && i + row < all.size(); ++row) {
      const ModifyButton& entry = all[i + row];
      const int width = kButtonWidth + (entry.DropPart ? kDropWidth : 0);
      MakeButton(entry, left, kRowTop[row], width);
      columnWidth = std::max(columnWidth, width);
    }
    left += columnWidth + 1;
  }
  panel_->setGeometry(0, 0, 400, kRowTop[1] + kButtonHeight + 5);
  setMinimumHeight(panel_->height());
  states_ = registry_.StatesChanged.Subscribe([this] { ShowChecked(); });
  ShowChecked();
  AddDialogCommands();
}

ModifyPage::~ModifyPage() = default;

void ModifyPage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  panel_->resize(width(), panel_->height());
}

TECCharButton* ModifyPage::MakeButton(const ModifyButton& entry, int left, int top, int width) {
  TECCharButton* button = MakePageButton(panel_, entry.Name);
  button->setToolTip(PageText(entry.Hint));
  button->setGeometry(left, top, width, kButtonHeight);
  button->SetAllowAllUp(true);
  button->SetGroupIndex(entry.Group);
  button->SetCommandId(PageText(entry.CommandId));
  if (entry.DropPart) {
    button->SetDropWidth(kDropWidth);
    connect(button, &TECCharButton::ButtonClick, this, [this, &entry, button] { OpenDropDown(entry, *button); });
  }
  if (entry.Face == ModifyFace::Picture) {
    ShowPicture(*button, entry.Name);
  } else {
    button->SetCustomDraw(true);
    button->SetOnDrawCharButton([this, &entry, button](QPainter& painter, const QRect&) { PaintFace(entry, *button, painter); });
  }
  if (entry.Repeats) button->installEventFilter(this);
  connect(button, &TECCharButton::clicked, this, [this, &entry] { Run(entry); });
  buttons_.emplace_back(&entry, button);
  return button;
}

void ModifyPage::PaintFace(const ModifyButton& entry, TECCharButton& button, QPainter& painter) const {
  const nv::dialogs::FaceLook look = LookOf(button);
  const nv::dialogs::ModifyFaceValues values{settings_.PitchUp,         settings_.PitchDown,
                                             settings_.BarUnionActive,  settings_.BarUnionCount,
                                             settings_.RowPropertiesActive, settings_.FRowDisplayStyle};
  const QRect area(0, 0, button.width() - button.DropWidth(), button.height());
  nv::dialogs::PaintCanvasFace(painter, area, [&](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
    nv::dialogs::PaintModifyFace(canvas, box, entry.Face, values, look);
  });
}

bool ModifyPage::eventFilter(QObject* watched, QEvent* event) {
  const auto* mouse = dynamic_cast<QMouseEvent*>(event);
  if (mouse != nullptr && mouse->button() == Qt::LeftButton) {
    const auto held = std::ranges::find(buttons_, watched, [](const auto& pair) -> QObject* { return pair.second; });
    if (held != buttons_.end() && event->type() == QEvent::MouseButtonPress)
      repeater_.Press([this, entry = held->first] { Run(*entry); });
    else if (event->type() == QEvent::MouseButtonRelease)
      repeater_.Release();
  }
  return QWidget::eventFilter(watched, event);
}

void ModifyPage::Run(const ModifyButton& entry) {
  registry_.Run(std::string(entry.CommandId), nv::document::ArgsOf(entry));
  ShowChecked();
}

void ModifyPage::ShowChecked() {
  for (const auto& [entry, button] : buttons_)
    if (entry->Group != 0) button->SetDown(registry_.IsChecked(std::string(entry->CommandId)).value_or(false));
}

TECCharButton* ModifyPage::Button(std::string_view name) const {
  const auto found = std::ranges::find(buttons_, name, [](const auto& pair) { return pair.first->Name; });
  return found == buttons_.end() ? nullptr : found->second;
}

void ModifyPage::OpenDropDown(const ModifyButton& entry, TECCharButton& button) {
  nv::document::ProgramSettings& s = settings_;
  const auto repaint = [&button] { button.update(); };
  if (entry.Face == ModifyFace::PitchUp) {
    opener_.OpenTranspose(button, nv::document::PitchSteps(s.PitchUp), true, [&s, repaint](int pitch) {
      s.PitchUp = nv::document::PitchSteps(pitch);
      repaint();
    });
  } else if (entry.Face == ModifyFace::PitchDown) {
    opener_.OpenTranspose(button, -nv::document::PitchSteps(s.PitchDown), false, [&s, repaint](int pitch) {
      s.PitchDown = nv::document::PitchSteps(pitch);
      repaint();
    });
  } else if (entry.Face == ModifyFace::JoinStyle) {
    opener_.OpenJoinStyle(button, JoinStyle(), [this](const JoinStyleValue& v) { TakeJoinStyle(v); });
  } else if (entry.Face == ModifyFace::RowStyle) {
    opener_.OpenRowAlignment(button, RowAlignment(), [this](const RowAlignmentValue& v) { TakeRowAlignment(v); });
  } else if (entry.Name == "CBCalcSequence") {
    opener_.OpenEffects(button);
  } else if (entry.Name == "CBCalcVelocity") {
    opener_.OpenDynamics(button);
  }
}

JoinStyleValue ModifyPage::JoinStyle() const { return {settings_.BarUnionActive, settings_.BarUnionCount}; }

RowAlignmentValue ModifyPage::RowAlignment() const {
  const nv::document::ProgramSettings& s = settings_;
  return {s.RowPropertiesActive, s.FRowDisplayStyle, s.RowDensity, s.RowMeasureCount, s.RowHorzAlign};
}

void ModifyPage::TakeJoinStyle(const JoinStyleValue& value) {
  settings_.BarUnionActive = value.Active;
  settings_.BarUnionCount = value.Count;
  if (TECCharButton* button = Button("CBBarUnionStyle")) button->update();
  registry_.Run(kJoinStyleCommand);
}

void ModifyPage::TakeRowAlignment(const RowAlignmentValue& value) {
  nv::document::ProgramSettings& s = settings_;
  s.RowPropertiesActive = value.Active;
  s.FRowDisplayStyle = value.Style;
  s.RowDensity = value.Density;
  s.RowMeasureCount = value.MeasureCount;
  s.RowHorzAlign = value.HorzAlign;
  if (TECCharButton* button = Button("CBRowDisplayStyle")) button->update();
  registry_.Run(kRowAlignmentCommand);
}

void ModifyPage::AddDialogCommands() {
  // The score menu's items ask the same values in dialogs; they do nothing once the page is gone.
  const QPointer<ModifyPage> self(this);
  nv::document::Command join;
  join.Id = nv::editor::score_menu::kBarUnion;
  join.Caption = "Join notes style...";
  join.Run = [self](const nv::document::CommandArgs&) {
    if (!self) return;
    if (const auto value = self->opener_.AskJoinStyle(*self->window(), self->JoinStyle())) self->TakeJoinStyle(*value);
  };
  join.Enabled = [&registry = registry_] { return registry.IsEnabled(kJoinStyleCommand); };
  registry_.Add(std::move(join));
  nv::document::Command rows;
  rows.Id = nv::editor::score_menu::kRowAlignment;
  rows.Caption = "Row alignment style...";
  rows.Run = [self](const nv::document::CommandArgs&) {
    if (!self) return;
    if (const auto value = self->opener_.AskRowAlignment(*self->window(), self->RowAlignment()))
      self->TakeRowAlignment(*value);
  };
  rows.Enabled = [&registry = registry_] { return registry.IsEnabled(kRowAlignmentCommand); };
  registry_.Add(std::move(rows));
}

}  // namespace nv::app
