#include "render/row_name_painter.h"

#include <algorithm>
#include <string>

#include "model/row.h"
#include "render/painter_context.h"

namespace nv::render {

void DrawRowName(PainterContext& ctx, int staffLeftX) {
  const std::string& name = ctx.Row->Name();
  if (name.empty()) return;
  const int right = staffLeftX - ctx.Scaled(kRowNameGap);
  const int room = right - ctx.Scaled(ctx.PageLeft);
  if (room <= 0) return;
  int size = ctx.FontSize(kRowNamePoints);
  ctx.UseTextFont("Arial", size, nv::platform::colors::black);
  int width = ctx.Canvas.textWidth(name);
  // The layout's estimate may fall short of the face's real widths.
  while (width > room && size > 1) {
    size = std::max(1, size * room / width);
    ctx.UseTextFont("Arial", size, nv::platform::colors::black);
    const int narrower = ctx.Canvas.textWidth(name);
    if (narrower >= width) break;
    width = narrower;
  }
  if (width > room) return;
  ctx.SetClearBrush();
  const int height = ctx.Canvas.textHeight(name);
  ctx.Canvas.textOut(right - width, ctx.StaffBottom - 2 * ctx.Space - height / 2, name);
}

}  // namespace nv::render
