#include "editor/library_faces.h"

#include <QImage>
#include <QPainter>

#include "dialogs/logic/library_layout.h"
#include "library/symbol_description.h"
#include "platform/qt/qt_canvas.h"
#include "render/library_item_painter.h"

namespace nv::editor {

void PaintSymbolFace(QPainter& painter, const QRect& area, const nv::library::TECSymbolDescription& symbol,
                     nv::render::LibraryItemPainter& items, bool hot) {
  if (area.isEmpty()) return;
  const nv::dialogs::SymbolFit fit =
      nv::dialogs::FitSymbol({area.width(), area.height()}, {symbol.Width, symbol.Height});
  // The painters draw on the project's canvas: an image laid over the face.
  QImage image(area.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    nv::platform::QtCanvas canvas(image, nv::platform::screenDeviceCaps(image.width(), image.height()));
    const auto paint = [&](int dx, bool shadow) {
      for (const auto& element : symbol.Elements())
        items.Paint(canvas, *element, fit.Corner.x + dx, fit.Corner.y + dx, shadow, fit.Scale, fit.Scale);
    };
    if (hot) {
      paint(1, true);
      paint(-1, false);
    } else {
      paint(0, false);
    }
    canvas.flush();
  }
  painter.drawImage(area.topLeft(), image);
}

}  // namespace nv::editor
