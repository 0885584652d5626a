#pragma once

#include "editor/row_pane.h"
#include "editor/velocity_layout.h"

namespace nv::editor {

// The velocity of every note of the score's active row as a bar, one
// column a note. An Alt click sets a velocity; the selected notes step up
// or down or follow a straight ramp.
class TECMusicVelocity : public RowPane {
 public:
  explicit TECMusicVelocity(nv::document::ScoreDocument& document, QWidget* parent = nullptr, int noteWidth = 5,
                            int panelWidth = 24);

  const VelocityLayout& Layout() const { return layout_; }
  void IncVelocity();
  void DecVelocity();
  void AlignVelocity();

 protected:
  int Lay() override;
  int ContentHeight() const override { return layout_.Height(); }
  int PanelWidth() const override { return layout_.PanelWidth(); }
  void PaintArea(QPainter& painter, const QRect& area) override;
  int HitTest(const QPoint& content) const override { return layout_.HitTest(Items(), content.x(), content.y()); }
  void ItemClicked(int item, const QPoint& content, Qt::KeyboardModifiers modifiers) override;
  bool PaneKey(QKeyEvent& event) override;

 private:
  void PaintPanel(QPainter& painter);
  VelocityLayout layout_;
};

}  // namespace nv::editor
