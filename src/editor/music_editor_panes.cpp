// The document window's panes below the score (piano roll and velocity
// view), their button bars, and the wheel over the score.
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <string_view>

#include "document/tool_state.h"
#include "editor/music_editor.h"
#include "editor/music_sequence.h"
#include "editor/music_velocity.h"
#include "editor/note_value_wheel.h"
#include "model/measure.h"
#include "model/note_records.h"
#include "model/row.h"
#include "widgets/event_hook.h"
#include "widgets/logic/click_repeater.h"
#include "widgets/qt_one_shot_timer.h"
#include "widgets/score_control.h"

namespace nv::editor {
namespace {

constexpr int kSequenceNoteHeight = 12;
constexpr int kSequencePanelWidth = 12;
constexpr int kBarWidth = 24;

// The value buttons whole .. 1/64 that the wheel steps through.
constexpr std::array<std::string_view, 7> kNoteValues = {"CBNote",   "CBNote2",  "CBNote4", "CBNote8",
                                                         "CBNote16", "CBNote32", "CBNote64"};
constexpr std::array<std::string_view, 7> kRestValues = {"CBPause",   "CBPause2",  "CBPause4", "CBPause8",
                                                         "CBPause16", "CBPause32", "CBPause64"};

// Steps the value down among `buttons`; false when none is down.
bool StepValue(document::ToolState& tools, const std::array<std::string_view, 7>& buttons, int delta) {
  const auto down = std::ranges::find_if(buttons, [&](std::string_view name) { return tools.IsDown(name); });
  if (down == buttons.end()) return false;
  const std::optional<int> next = WheelNoteValue(static_cast<int>(down - buttons.begin()), delta);
  if (!next) return false;
  tools.Press(buttons[static_cast<std::size_t>(*next)]);
  return true;
}

}  // namespace

bool TFMusicEditor::ScoreWheel(int delta) {
  if (services_.Tools == nullptr) return false;
  document::ToolState& tools = *services_.Tools;
  // Pressing the value runs its click, which also shows its tool's cursor.
  return StepValue(tools, kNoteValues, delta) || StepValue(tools, kRestValues, delta);
}

QToolButton* TFMusicEditor::PaneButton(QWidget* bar, const char* name, const QString& text, const QString& tip) {
  auto* button = new QToolButton(bar);
  button->setObjectName(name);
  button->setText(text);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setFixedSize(kBarWidth - 2, kBarWidth - 2);
  bar->layout()->addWidget(button);
  return button;
}

void TFMusicEditor::RepeatButton(QToolButton* button, int direction) {
  const std::function<void()> run = [this, direction] {
    if (velocity_ == nullptr) return;
    if (direction > 0) velocity_->IncVelocity();
    else velocity_->DecVelocity();
  };
  // A held button repeats on the timer; its click (at the release) makes
  // the one step of a short click.
  connect(button, &QToolButton::pressed, this, [this, run] { velocityRepeat_->Press(run); });
  connect(button, &QToolButton::released, this, [this] { velocityRepeat_->Release(); });
  connect(button, &QToolButton::clicked, this, [run] { run(); });
}

void TFMusicEditor::BuildPaneBars() {
  if (services_.ClickTimer == nullptr) {
    ownClickTimer_ = std::make_unique<widgets::QtOneShotTimer>();
    services_.ClickTimer = ownClickTimer_.get();
  }
  velocityRepeat_ = std::make_unique<widgets::ClickRepeater>(*services_.ClickTimer);
  new widgets::EventHook(*this, *MSScore, QEvent::Wheel,
                         [this](QEvent& event) { return ScoreWheel(static_cast<QWheelEvent&>(event).angleDelta().y()); });

  PPane = new QWidget(SCenter);
  PPane->setObjectName("PPane");
  auto* row = new QHBoxLayout(PPane);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  const auto bar = [&](const char* name) {
    auto* frame = new QFrame(PPane);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFixedWidth(kBarWidth + 2);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(1);
    row->addWidget(frame);
    frame->hide();
    return frame;
  };
  PSequence = bar("PSequence");
  SBCloseSequence = PaneButton(PSequence, "SBCloseSequence", QStringLiteral("×"), "Close the playback editor");
  SBIncSize = PaneButton(PSequence, "SBIncSize", QStringLiteral("+"), "Play longer");
  SBDecSize = PaneButton(PSequence, "SBDecSize", QStringLiteral("−"), "Play shorter");
  SBShiftRight = PaneButton(PSequence, "SBShiftRight", QStringLiteral("→"), "Play later");
  SBShiftLeft = PaneButton(PSequence, "SBShiftLeft", QStringLiteral("←"), "Play earlier");
  static_cast<QVBoxLayout*>(PSequence->layout())->addStretch(1);
  PVelocity = bar("PVelocity");
  SBCloseVelocity = PaneButton(PVelocity, "SBCloseVelocity", QStringLiteral("×"), "Close the velocity editor");
  SBIncVelocity = PaneButton(PVelocity, "SBIncVelocity", QStringLiteral("+"), "Louder");
  SBDecVelocity = PaneButton(PVelocity, "SBDecVelocity", QStringLiteral("−"), "Softer");
  SBAlignVelocity = PaneButton(PVelocity, "SBAlignVelocity", QStringLiteral("/"), "Even out between the first and the last selected note");
  static_cast<QVBoxLayout*>(PVelocity->layout())->addStretch(1);
  SCenter->addWidget(PPane);
  SCenter->setStretchFactor(0, 1);
  SCenter->setChildrenCollapsible(false);
  PPane->hide();

  connect(SBCloseSequence, &QToolButton::clicked, this, [this] { ShowSequenceMap(); });
  connect(SBCloseVelocity, &QToolButton::clicked, this, [this] { ShowVelocityMap(); });
  const auto sequenceEdit = [this](QToolButton* button, std::function<void(TECMusicSequence&)> edit) {
    connect(button, &QToolButton::clicked, this, [this, edit = std::move(edit)] {
      if (sequence_ != nullptr) edit(*sequence_);
    });
  };
  sequenceEdit(SBIncSize, [](TECMusicSequence& pane) { pane.IncSize(); });
  sequenceEdit(SBDecSize, [](TECMusicSequence& pane) { pane.DecSize(); });
  sequenceEdit(SBShiftRight, [](TECMusicSequence& pane) { pane.ShiftRight(); });
  sequenceEdit(SBShiftLeft, [](TECMusicSequence& pane) { pane.ShiftLeft(); });
  RepeatButton(SBIncVelocity, 1);
  RepeatButton(SBDecVelocity, -1);
  connect(SBAlignVelocity, &QToolButton::clicked, this, [this] {
    if (velocity_ != nullptr) velocity_->AlignVelocity();
  });
  connect(SCenter, &QSplitter::splitterMoved, this, [this] { PaneMoved(); });
}

void TFMusicEditor::ClosePane() {
  velocityRepeat_->Release();
  delete sequence_;
  sequence_ = nullptr;
  delete velocity_;
  velocity_ = nullptr;
  PSequence->hide();
  PVelocity->hide();
  PPane->hide();
  document_->Score().SetVelocityMode(0);
}

void TFMusicEditor::ShowPane(RowPane* pane, QFrame* bar, int height) {
  bar->show();
  PPane->layout()->addWidget(pane);
  PPane->show();
  // The splitter stands just above the pane.
  const int total = std::max(SCenter->height(), height + 1);
  SCenter->setSizes({total - height, height});
  pane->show();
  pane->setFocus(Qt::OtherFocusReason);
}

void TFMusicEditor::ShowVelocityMap() {
  const bool shown = velocity_ != nullptr;
  ClosePane();
  if (shown) return;
  velocity_ = new TECMusicVelocity(*document_, PPane);
  velocity_->setObjectName("MVVelocity");
  ShowPane(velocity_, PVelocity, velocityHeight_);
  document_->Score().SetVelocityMode(1);
}

void TFMusicEditor::ShowSequenceMap() {
  const bool shown = sequence_ != nullptr;
  ClosePane();
  if (shown) return;
  sequence_ = new TECMusicSequence(*document_, PPane, kSequenceNoteHeight, kSequencePanelWidth);
  sequence_->setObjectName("MSSequence");
  sequence_->OnSequenceNote = [this](int measure, int position, int key) { SequenceNote(measure, position, key); };
  sequence_->SetInsertLength(sequenceLength_);
  ShowPane(sequence_, PSequence, sequenceHeight_);
}

void TFMusicEditor::PaneMoved() {
  if (sequence_ != nullptr) sequenceHeight_ = PPane->height();
  else if (velocity_ != nullptr) velocityHeight_ = PPane->height();
}

void TFMusicEditor::SetSequenceNoteLength(int length) {
  sequenceLength_ = std::max(0, length);
  if (sequence_ != nullptr) sequence_->SetInsertLength(sequenceLength_);
}

void TFMusicEditor::SequenceNote(int measure, int position, int key) {
  if (!toolInput_) return;
  TECMusicScore& score = document_->Score();
  score.GoToMeasure(measure);
  score.SetCursorPosition(position);
  const auto cursorMeasure = [&score]() -> TECMeasure* {
    TECRow* row = score.CurrentRow();
    return row != nullptr ? row->GetMeasure(score.CursorMeasure()) : nullptr;
  };
  std::vector<const TECNote*> before;
  if (TECMeasure* target = cursorMeasure())
    for (const auto& note : target->Notes) before.push_back(note.get());
  if (!toolInput_->Inserter().InsertKeyAtCursor(key)) return;
  // The new note is selected.
  if (TECMeasure* now = cursorMeasure())
    for (const auto& note : now->Notes)
      if (std::ranges::find(before, note.get()) == before.end()) {
        score.ClearSelection();
        score.SelectElement(note.get(), 0);
        break;
      }
}

}  // namespace nv::editor
