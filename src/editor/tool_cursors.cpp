#include "editor/tool_cursors.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <map>
#include <optional>
#include <vector>

#include "dialogs/canvas_face.h"
#include "dialogs/logic/drum_button_painter.h"
#include "dialogs/logic/tool_face_painters.h"
#include "document/palette_pages.h"
#include "document/tool_buttons.h"
#include "editor/cursor_set.h"
#include "editor/face_factory.h"
#include "editor/tool_faces.h"

namespace nv::editor {
namespace {

using nv::document::FaceKind;
using nv::document::PaletteCell;

// The tool names of the pages' buttons (and the clef's three), the other
// pages' and the piano keyboard's, and the element cursor no button names
// (a grace note, "SNOTE4").
std::vector<std::string> CollectNames() {
  std::vector<std::string> names = {"CLEFG", "CLEFF", "CLEFD", "USERSYMBOL", "COMMENT", "TEXT", "IMAGE", "SNOTE4"};
  for (const char* kind : {"KNOTE", "KPAUSE"})
    for (const char* value : {"", "2", "4", "8", "16", "32", "64"}) names.push_back(std::string(kind) + value);
  for (const nv::document::ToolButton& button : nv::document::ToolButtons())
    if (!button.ToolName.empty()) names.emplace_back(button.ToolName);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

// The palette cell whose button chooses the tool.
const PaletteCell* CellOfTool(std::string_view name) {
  for (const nv::document::ToolButton& button : nv::document::ToolButtons())
    if (button.ToolName == name)
      if (const PaletteCell* cell = nv::document::FindPaletteCell(button.Name)) return cell;
  return nullptr;
}

// The part of an image that holds ink.
QImage CropToInk(const QImage& image) {
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) > 0) ink |= QRect(x, y, 1, 1);
  return ink.isEmpty() ? QImage() : image.copy(ink);
}

// The face the palette button shows as a picture on a transparent ground,
// for the faces that are no glyph or text: the program's pictures and the
// painted faces at their start values. Null for the others.
QImage ButtonPicture(std::string_view name) {
  const PaletteCell* cell = CellOfTool(name);
  // The piano keyboard's values look as the notes page's do.
  if (cell == nullptr && (name.starts_with("KNOTE") || name.starts_with("KPAUSE"))) cell = CellOfTool(name.substr(1));
  if (cell == nullptr) return {};
  if (cell->Face == FaceKind::Picture) {
    QImage picture = FaceFactory::Picture(cell->Name).toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb ground = picture.pixel(0, picture.height() - 1);
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (picture.pixel(x, y) == ground) picture.setPixel(x, y, qRgba(0, 0, 0, 0));
    return CropToInk(picture);
  }
  if (cell->Face != FaceKind::Painted) return {};
  const bool tall = cell->Row == nv::document::PaletteRow::Both;
  QImage face(nv::document::kPaletteButtonWidth, tall ? 53 : nv::document::kPaletteButtonHeight,
              QImage::Format_ARGB32_Premultiplied);
  face.fill(Qt::transparent);
  QPainter painter(&face);
  const nv::document::PaintedFace painted = cell->Painter;
  nv::dialogs::PaintCanvasFace(painter, face.rect(), [painted](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
    if (painted == nv::document::PaintedFace::DrumNote)
      nv::dialogs::DrawDrumButton(canvas, box, nullptr);
    else
      nv::dialogs::PaintToolFace(canvas, box, painted, {});
  });
  painter.end();
  return CropToInk(face);
}

// The face in a white box below and right of the arrow, scaled to fit the
// box whatever its own extent; small faces (a dot) stay small.
QPixmap Draw(std::string_view name) {
  QPixmap pixmap = ArrowPixmap();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QRectF box(12, 12, kCursorSize - 13, kCursorSize - 13);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(box, 2, 2);
  const QRectF inner = box.adjusted(2, 2, -2, -2);
  if (const QImage picture = ButtonPicture(name); !picture.isNull()) {
    const double scale = std::min({inner.width() / picture.width(), inner.height() / picture.height(), 1.0});
    const QSizeF size(picture.width() * scale, picture.height() * scale);
    painter.drawImage(QRectF(inner.center() - QPointF(size.width() / 2, size.height() / 2), size), picture);
    return pixmap;
  }
  ToolFace face = FaceOfTool(name);
  // A grace note is a small quarter.
  const bool small = name == "SNOTE4";
  if (small) face = FaceOfTool("NOTE4");
  constexpr double kFontPixels = 40;
  QPainterPath path;
  path.addText(0, 0, face.Font(static_cast<int>(kFontPixels)), face.Text());
  const QRectF extent = path.boundingRect();
  if (extent.isEmpty()) return pixmap;
  const double fit = std::min({inner.width() / extent.width(), inner.height() / extent.height(), 24 / kFontPixels});
  const double scale = small ? fit * 0.65 : fit;
  painter.translate(inner.center());
  painter.scale(scale, scale);
  painter.translate(-extent.center());
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawPath(path);
  return pixmap;
}

}  // namespace

std::span<const std::string> ToolCursors::Names() {
  static const std::vector<std::string> names = CollectNames();
  return names;
}

QPixmap ToolCursors::Picture(std::string_view name) {
  const auto names = Names();
  if (!std::binary_search(names.begin(), names.end(), name)) return {};
  static std::map<std::string, QPixmap, std::less<>> pictures;
  auto found = pictures.find(name);
  if (found == pictures.end()) found = pictures.emplace(std::string(name), Draw(name)).first;
  return found->second;
}

QCursor ToolCursors::Cursor(std::string_view name) {
  const QPixmap picture = Picture(name);
  if (picture.isNull()) return QCursor(Qt::ArrowCursor);
  return QCursor(picture, 0, 0);
}

}  // namespace nv::editor
