#include "editor/accord_editor_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/chord_editor.h"

namespace nv::editor {

TFAccordEditor::TFAccordEditor(platform::IniFile* settings, QWidget* parent)
    : DialogFrame({QStringLiteral("FAccordEditor"), {360, 200}, "AccordEditor", dialogs::BoundsMode::Position, {}, 0},
                  settings, parent) {
  setWindowTitle(QStringLiteral("Chord"));
  name_ = new QLabel(QStringLiteral("Name"), this);
  name_->setObjectName(QStringLiteral("LName"));
  editor_ = new TECChordEditor(this);
  editor_->setObjectName(QStringLiteral("CEName"));
  editor_->setMinimumSize(320, 100);
  auto* tools = new QHBoxLayout;
  const auto speed = [this, tools](const char* name, const QString& caption, Qt::ArrowType arrow, auto act) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    if (arrow == Qt::NoArrow)
      button->setText(caption);
    else
      button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    tools->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, act] {
      act(editor_->Model());
      editor_->update();
      editor_->setFocus();
    });
  };
  speed("SBNew", QStringLiteral("+"), Qt::NoArrow, [](ChordPieceModel& m) { m.AddPiece(); });
  speed("SBUp", {}, Qt::UpArrow, [](ChordPieceModel& m) { m.MovePieceUp(); });
  speed("SBDown", {}, Qt::DownArrow, [](ChordPieceModel& m) { m.MovePieceDown(); });
  speed("SBLeft", {}, Qt::LeftArrow, [](ChordPieceModel& m) { m.MovePieceLeft(); });
  speed("SBRight", {}, Qt::RightArrow, [](ChordPieceModel& m) { m.MovePieceRight(); });
  tools->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(MakeOkButton(this));
  buttons->addWidget(MakeCancelButton(this));
  auto* column = new QVBoxLayout(this);
  column->addWidget(name_);
  column->addWidget(editor_, 1);
  column->addLayout(tools);
  column->addLayout(buttons);
  Translate();
  SetChordItems({});
}

void TFAccordEditor::SetChordItems(const std::vector<TECChordPiece>& pieces) {
  ChordPieceModel& model = editor_->Model();
  model.Pieces.clear();
  for (const TECChordPiece& record : pieces) model.Pieces.push_back(PieceFromRecord(record));
  if (model.Pieces.empty()) model.Pieces.emplace_back();
  model.LayoutPieces();
  editor_->update();
}

std::vector<TECChordPiece> TFAccordEditor::GetChordItems() const {
  std::vector<TECChordPiece> records;
  for (const ChordPiece& piece : editor_->Model().Pieces) records.push_back(PieceToRecord(piece));
  return records;
}

bool TFAccordEditor::validate() {
  const auto& pieces = editor_->Model().Pieces;
  if (!pieces.empty() && !(pieces.size() == 1 && pieces.front().text.empty())) return true;
  rejectInput(name_->text());
  return false;
}

void TFAccordEditor::showEvent(QShowEvent* event) {
  DialogFrame::showEvent(event);
  editor_->setFocus();
}

}  // namespace nv::editor
