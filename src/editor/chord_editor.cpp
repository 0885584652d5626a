#include "editor/chord_editor.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/qt/qt_canvas.h"

namespace nv::editor {

namespace {

bool ToChordKey(const QKeyEvent& event, ChordKey& key) {
  key.shift = event.modifiers().testFlag(Qt::ShiftModifier);
  key.ctrl = event.modifiers().testFlag(Qt::ControlModifier);
  switch (event.key()) {
    case Qt::Key_Backspace: key.kind = ChordKey::Backspace; return true;
    case Qt::Key_Delete: key.kind = ChordKey::Delete; return true;
    case Qt::Key_Home: key.kind = ChordKey::Home; return true;
    case Qt::Key_End: key.kind = ChordKey::End; return true;
    case Qt::Key_Left: key.kind = ChordKey::Left; return true;
    case Qt::Key_Right: key.kind = ChordKey::Right; return true;
    case Qt::Key_Up: key.kind = ChordKey::Up; return true;
    case Qt::Key_Down: key.kind = ChordKey::Down; return true;
    case Qt::Key_Insert: key.kind = ChordKey::Insert; return true;
    default: break;
  }
  const QByteArray text = event.text().toUtf8();
  if (text.size() != 1) return false;
  key.kind = ChordKey::Character;
  key.character = text[0];
  return true;
}

}  // namespace

TECChordEditor::TECChordEditor(QWidget* parent)
    : BufferedControl(parent),
      measureImage_(1, 1, QImage::Format_RGB32),
      measurer_(std::make_unique<platform::QtCanvas>(measureImage_, platform::screenDeviceCaps(1, 1))),
      model_([this](const ChordPiece& piece, const std::string& text) {
        measurer_->setFont(PieceFont(piece));
        return measurer_->textExtent(text);
      }) {
  setFocusPolicy(Qt::StrongFocus);
  model_.FontSize = Font.size;
  model_.OnChanged = [this] { update(); };
}

platform::Font TECChordEditor::PieceFont(const ChordPiece& piece) const {
  platform::Font font = Font;
  // A piece of size 0 takes the chord's own size, as the score draws it.
  font.size = piece.size != 0 ? piece.size : Font.size;
  font.height = 0;
  font.bold = piece.style & 1;
  font.italic = piece.style & 2;
  font.underline = piece.style & 4;
  font.strikeout = piece.style & 8;
  return font;
}

void TECChordEditor::PaintPieces(platform::Canvas& c, bool caret) {
  c.setBrush({Color, platform::BrushStyle::Solid, {}});
  c.fillRect({0, 0, width(), height()});
  c.setBrush({platform::colors::white, platform::BrushStyle::Clear, {}});
  for (int i = 0; i < static_cast<int>(model_.Pieces.size()); ++i) {
    const ChordPiece& piece = model_.Pieces[i];
    c.setFont(PieceFont(piece));
    if (i == model_.Selected()) c.font().color = platform::colors::red;
    c.textOut(piece.bounds.left, piece.bounds.top, piece.text);
  }
  if (!caret) return;
  // Drawn last, inverting what lies beneath.
  const platform::Rect line = model_.CaretLine();
  c.setPen({platform::colors::white, 1, platform::PenStyle::Solid, platform::PenMode::Xor});
  c.setBrush({platform::colors::white, platform::BrushStyle::Solid, {}});
  c.rectangle(line);
}

void TECChordEditor::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint p = event->position().toPoint();
  model_.MouseDown(p.x(), p.y());
}

void TECChordEditor::keyPressEvent(QKeyEvent* event) {
  QWidget::keyPressEvent(event);
  ChordKey key;
  if (ToChordKey(*event, key)) model_.KeyDown(key);
}

}  // namespace nv::editor
