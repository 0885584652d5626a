#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

#include "model/score_host.h"

class TECMusicScore;

namespace nv::app {

// The navigator page's panel PNavigator: the active score paints its
// miniature of the current staff on it, and a press goes to the measure
// under the mouse. Without an active score the panel stays blank.
class NavigatorPanel : public QWidget, public IECNavigatorPanel {
  Q_OBJECT
 public:
  using ActiveScore = std::function<TECMusicScore*()>;
  explicit NavigatorPanel(ActiveScore active, QWidget* parent = nullptr);

  int ClientWidth() const override { return width(); }
  void DrawNow(const std::function<void(nv::platform::Canvas&)>& draw) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  ActiveScore active_;
  // What the score painted, which its later marker drawing goes over.
  QImage image_;
};

}  // namespace nv::app
