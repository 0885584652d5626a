#include "app/navigator_panel.h"

#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "model/music_score.h"
#include "platform/device_caps.h"
#include "platform/qt/qt_canvas.h"

namespace nv::app {

NavigatorPanel::NavigatorPanel(ActiveScore active, QWidget* parent) : QWidget(parent), active_(std::move(active)) {
  setObjectName("PNavigator");
}

void NavigatorPanel::DrawNow(const std::function<void(nv::platform::Canvas&)>& draw) {
  if (image_.isNull()) return;
  {
    nv::platform::QtCanvas canvas(image_, nv::platform::screenDeviceCaps(image_.width(), image_.height()));
    draw(canvas);
  }
  update();
}

void NavigatorPanel::paintEvent(QPaintEvent*) {
  image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(palette().window().color());
  if (TECMusicScore* score = active_()) {
    nv::platform::QtCanvas canvas(image_, nv::platform::screenDeviceCaps(width(), height()));
    score->PaintNavigator(*this, canvas);
  }
  QPainter(this).drawImage(0, 0, image_);
}

void NavigatorPanel::mousePressEvent(QMouseEvent* event) {
  if (TECMusicScore* score = active_()) score->NavigatorClick(event->position().toPoint().x());
}

}  // namespace nv::app
