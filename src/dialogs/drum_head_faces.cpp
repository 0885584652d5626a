#include "dialogs/drum_head_faces.h"

#include "dialogs/canvas_face.h"
#include "dialogs/logic/drum_button_painter.h"
#include "dialogs/logic/drum_map_cells.h"
#include "library/library_store.h"
#include "model/element_kinds.h"
#include "model/page_objects.h"

namespace nv::dialogs {

// The elements a drum style holds are texts (a glyph of the music face).
void PaintDrumStyleElement(nv::platform::Canvas& canvas, const TECPageObject& element, nv::platform::Color ink) {
  if (element.Kind != ek::PageText) return;
  const auto& text = static_cast<const TECPageText&>(element);
  int y = text.Y;
  for (const std::string& line : text.Lines) {
    FaceText(canvas, text.X, y, line, text.FontName, text.FontSize, ink);
    y += text.FontSize;
  }
}

const nv::library::TECDrumDescription* LoadedDrumStyle(nv::library::LibraryStore& library, int head) {
  const auto& styles = library.Drums();
  if (head < 0 || head >= static_cast<int>(styles.size())) return nullptr;
  nv::library::TECDrumDescription& style = *styles[static_cast<std::size_t>(head)];
  if (!style.Loaded) {
    try {
      style.LoadTemplate(library.Folder());
    } catch (const std::exception&) {
      return nullptr;  // the library reports its damaged templates when it loads them all
    }
  }
  return &style;
}

DrumHeadPainter LibraryDrumHeads(nv::library::LibraryStore* library) {
  return [library](QPainter& painter, const QRect& area, int head) {
    const nv::library::TECDrumDescription* style = nullptr;
    if (head != drum_map::kStandardHead) {
      style = library != nullptr ? LoadedDrumStyle(*library, head) : nullptr;
      if (style == nullptr) return;
    }
    PaintCanvasFace(painter, area, [style](nv::platform::Canvas& canvas, const nv::platform::Rect& box) {
      DrawDrumButton(canvas, box, style, {}, PaintDrumStyleElement);
    });
  };
}

}  // namespace nv::dialogs
