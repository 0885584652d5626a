#include "editor/new_staff_texts.h"

namespace nv::editor {

namespace {

constexpr int kTitleY = 40;
constexpr int kSubtitleY = 80;
constexpr int kMarginInset = 24;

}  // namespace

NewStaffTextPlaces PlaceNewStaffTexts(int pageWidth, int leftMargin, int rightMargin, int titleWidth, int authorWidth) {
  NewStaffTextPlaces places;
  // Integer division rounds toward zero, as the centring must.
  places.Title = {(pageWidth - titleWidth) / 2, kTitleY};
  places.Author = {pageWidth - authorWidth - rightMargin + kMarginInset, kSubtitleY};
  places.Name = {leftMargin + kMarginInset, kSubtitleY};
  return places;
}

}  // namespace nv::editor
