#include "widgets/form_design.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <algorithm>

#include "widgets/form_designer.h"
#include "widgets/widget_paint.h"

namespace nv::widgets {

namespace {

struct DesignTemplate {
  const char* folder;
  int caption;
  int ellipse;
};

DesignTemplate TemplateOf(int kind) {
  switch (kind) {
    case kMainWindowDesign: return {"main", 24, 8};
    case kToolDesign: return {"tool", 16, 4};
    default: return {"dialog", 20, 6};
  }
}

QImage ArtImage(const char* folder, const QString& name) {
  return QImage(QStringLiteral(":/art/%1/%2.png").arg(QLatin1String(folder), name));
}

QPixmap Piece(const char* folder, const QString& name) { return TransparentPiece(ArtImage(folder, name)); }

// A caption button in slot `slot` counted from the right border.
TECFormButton SkinButtonAt(const DesignTemplate& t, const TECFormBorder& border, SkinButtonStyle style, int slot,
                           const char* picture) {
  TECFormButton b;
  b.place = {.left = border.right.width() + 2 + slot * 18, .top = (t.caption - 14) / 2, .rightAlign = true,
             .style = style};
  b.picture = ArtImage(t.folder, QLatin1String(picture));
  b.transparent = true;
  return b;
}

}  // namespace

void LoadFormDesign(TECFormDesigner& designer, int kind) {
  const DesignTemplate t = TemplateOf(kind);
  auto piece = [&](const char* name, const char* look) {
    return Piece(t.folder, QStringLiteral("%1_%2").arg(QLatin1String(name), QLatin1String(look)));
  };
  TECFormCaption caption;
  caption.height = t.caption;
  caption.iconVisible = true;
  caption.icon = Piece(t.folder, QStringLiteral("icon"));
  caption.iconTop = (t.caption - 16) / 2;
  caption.font.setPixelSize(std::max(11, t.caption * 3 / 5));
  caption.activeLeft = piece("caption_left", "active");
  caption.deactiveLeft = piece("caption_left", "inactive");
  caption.activeCenter = piece("caption_center", "active");
  caption.deactiveCenter = piece("caption_center", "inactive");
  caption.activeRight = piece("caption_right", "active");
  caption.deactiveRight = piece("caption_right", "inactive");
  caption.activeMinRight = piece("caption_minright", "active");
  caption.deactiveMinRight = piece("caption_minright", "inactive");
  // Shows through the pieces' transparent pixels (the caption's bottom row).
  caption.color = QColor(ArtImage(t.folder, QStringLiteral("border_left_active")).pixel(0, 0));
  designer.SetCaptionSetting(caption);

  TECFormBorder border;
  border.left = piece("border_left", "active");
  border.deLeft = piece("border_left", "inactive");
  border.right = piece("border_right", "active");
  border.deRight = piece("border_right", "inactive");
  border.bottom = piece("border_bottom", "active");
  border.deBottom = piece("border_bottom", "inactive");
  border.leftBottom = piece("border_left_bottom", "active");
  border.deLeftBottom = piece("border_left_bottom", "inactive");
  border.rightBottom = piece("border_right_bottom", "active");
  border.deRightBottom = piece("border_right_bottom", "inactive");
  border.leftTop = piece("border_left_top", "active");
  border.deLeftTop = piece("border_left_top", "inactive");
  border.rightTop = piece("border_right_top", "active");
  border.deRightTop = piece("border_right_top", "inactive");
  designer.SetBorderSetting(border);

  // Close, maximise (or restore in its place) and minimise at the right.
  auto button = [&](SkinButtonStyle style, int slot, const char* picture) {
    return SkinButtonAt(t, border, style, slot, picture);
  };
  designer.SetButtons({button(SkinButtonStyle::Close, 0, "button_close"),
                       button(SkinButtonStyle::Maximized, 1, "button_maximize"),
                       button(SkinButtonStyle::Normal, 1, "button_restore"),
                       button(SkinButtonStyle::Minimized, 2, "button_minimize")});
  designer.SetEllipse(t.ellipse, t.ellipse);
}

void SetCaptionButtons(TECFormDesigner& designer, int kind, const std::vector<CaptionButton>& buttons) {
  const DesignTemplate t = TemplateOf(kind);
  std::vector<TECFormButton> shown{SkinButtonAt(t, designer.BorderSetting(), SkinButtonStyle::Close, 0, "button_close")};
  int slot = 1;
  for (const CaptionButton& button : buttons) {
    TECFormButton b = SkinButtonAt(t, designer.BorderSetting(), SkinButtonStyle::Custom, slot++, button.picture);
    b.onClick = button.onClick;
    shown.push_back(std::move(b));
  }
  designer.SetButtons(shown);
}

TECFormDesigner* ApplyFormDesign(QWidget* form, int kind) {
  TECFormDesigner* designer = TECFormDesigner::Of(form);
  if (designer == nullptr) designer = new TECFormDesigner(form);
  LoadFormDesign(*designer, kind);
  designer->SetActive(true);
  return designer;
}

}  // namespace nv::widgets
