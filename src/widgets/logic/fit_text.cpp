#include "widgets/logic/fit_text.h"

namespace nv::widgets {

FittedText FitText(const std::string& text, int left, int width, int margin, TextAlign align,
                   const std::function<int(const std::string&)>& measure) {
  FittedText fitted{text, 0};
  if (measure(text) > width - margin) {
    if (width - margin < 0) return {};
    const int room = width - margin - measure("...");
    if (room > 0) {
      while (!fitted.text.empty() && measure(fitted.text) >= room) fitted.text.pop_back();
      fitted.text += "...";
    }
  }
  const int textWidth = measure(fitted.text);
  switch (align) {
    case TextAlign::Left: fitted.x = left + margin; break;
    case TextAlign::Right: fitted.x = left + width - textWidth - margin; break;
    case TextAlign::Center: fitted.x = left + width / 2 - textWidth / 2; break;
  }
  return fitted;
}

}  // namespace nv::widgets
