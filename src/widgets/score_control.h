#pragma once

#include <QCursor>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include "document/score_document.h"
#include "model/music_score.h"
#include "platform/qt/qt_back_buffer.h"

class QScrollBar;

namespace nv::widgets {

// The view of one document's score. It paints the score through
// a back buffer, then the caret and the drag feedback; it keeps two scroll
// bars in step with the score's (the horizontal one takes the right half of
// the bottom edge, the page tabs the left half) and turns Qt's mouse, wheel
// and key events into the score's input calls.
class ScoreControl : public QWidget, public IECScoreHost {
  Q_OBJECT
 public:
  // The document outlives the control.
  explicit ScoreControl(nv::document::ScoreDocument& document, QWidget* parent = nullptr);
  ~ScoreControl() override;

  TECMusicScore& Score() const { return score_; }
  QScrollBar& HorizontalBar() const { return *horizontal_; }
  QScrollBar& VerticalBar() const { return *vertical_; }
  bool CaretShown() const { return caretShown_; }
  const QTimer& TabTimer() const { return tabTimer_; }
  // Switches the ghost note on or off; switched on, it starts under the mouse.
  bool SetNoteCursor(bool on);
  // The cursor shown while the score asks for the tool's (kToolCursor).
  void SetToolCursor(const QCursor& cursor);

  QSize sizeHint() const override;

  // --- IECScoreHost -------------------------------------------------------
  void InvalidateRect(const TECRect& area) override;
  void InvalidateAll() override;
  void SetCaretVisible(bool visible) override;
  void SetMouseCursor(int cursor) override;
  void SetScoreSize(int width, int height) override;
  int ClientWidth() const override { return width(); }
  int ClientHeight() const override { return height(); }
  int VerticalBarWidth() const override;
  int HorizontalBarHeight() const override;
  bool Enabled() const override { return isEnabled(); }
  void SetScrollBar(TECScrollBarKind bar, const TECScrollBar& state) override;
  TECRect ScrollContents(const TECRect& area, int dx, int dy) override;
  void RepaintNow() override;
  bool Focused() const override { return hasFocus(); }
  void SetFocus() override { setFocus(Qt::MouseFocusReason); }
  void SetTabTimer(bool on) override;
  void ShowHint(const std::string& text, int x, int y) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The client area as a drawing device at the score's resolution.
  nv::platform::DeviceCaps ClientCaps() const;
  void PlaceScrollBars();
  void ConnectBar(QScrollBar& bar, TECScrollBarKind kind);
  void Press(QMouseEvent& event, TECShiftState extra);
  // Hides the caret, sets the score's focus flag and shows the caret again.
  void FocusChanged(bool focused);

  TECMusicScore& score_;
  QScrollBar* horizontal_;
  QScrollBar* vertical_;
  nv::platform::QtBackBuffer buffer_;
  QTimer tabTimer_;
  bool caretShown_ = false;
  QSize scoreSize_;
  // What was invalidated or uncovered since the last paint.
  QRegion pending_;
  QCursor toolCursor_;
};

}  // namespace nv::widgets
