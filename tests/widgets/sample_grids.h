#pragma once

#include <string>
#include <vector>

#include "widgets/logic/property_tree.h"
#include "widgets/logic/string_grid_rules.h"

namespace sample_grids {

// The tracks grid's columns: name, instrument, channel ("1" ... "16"), mute,
// volume (in `volumeStyle`) and pan.
inline void SetTracksColumns(nv::widgets::PropertyTree& tree, nv::widgets::TEditStyle volumeStyle) {
  using namespace nv::widgets;
  const struct {
    const char* caption;
    const char* hint;
    TEditType type;
    TEditStyle style;
    bool chooseOnly;
    int width;
    TextAlign align;
  } columns[] = {{"Name", "", etString, esReadOnly, false, 128, TextAlign::Left},
                 {"I", "Instrument", etString, esEllipsis, true, 22, TextAlign::Right},
                 {"C", "Channel", etString, esDropDown, false, 20, TextAlign::Right},
                 {"M", "Mute", etBoolean, esEdit, true, 20, TextAlign::Center},
                 {"V", "Volume", etInteger, volumeStyle, false, 24, TextAlign::Right},
                 {"P", "Pan", etInteger, esEllipsis, false, 24, TextAlign::Right}};
  tree.columns.assign(6, {});
  for (int c = 0; c < 6; ++c) {
    PropertyColumn& column = tree.columns[c];
    column.caption = columns[c].caption;
    column.hint = columns[c].hint;
    column.editType = columns[c].type;
    column.editStyle = columns[c].style;
    column.chooseOnly = columns[c].chooseOnly;
    column.width = columns[c].width;
    column.alignment = columns[c].align;
    column.buttonWidth = c == 0 ? -1 : 16;
  }
  for (int channel = 1; channel <= 16; ++channel)
    tree.columns[2].dropDownList.push_back(std::to_string(channel));
}

// The drum map's columns: Pitch, Name, and the owner-drawn Head, Pos and Use.
inline std::vector<nv::widgets::StringColumn> DrumMapColumns() {
  using namespace nv::widgets;
  const struct {
    const char* caption;
    TEditType type;
    TEditStyle style;
    bool defaultDrawing;
    int width;
  } specs[] = {{"Pitch", etString, esReadOnly, true, 44}, {"Name", etString, esEdit, true, 120},
               {"Head", etInteger, esChooseEllipsis, false, 44}, {"Pos", etInteger, esUpDown, false, 44},
               {"Use", etString, esReadOnly, false, 40}};
  std::vector<StringColumn> columns(5);
  for (int c = 0; c < 5; ++c) {
    columns[c].caption = specs[c].caption;
    columns[c].editType = specs[c].type;
    columns[c].editStyle = specs[c].style;
    columns[c].defaultDrawing = specs[c].defaultDrawing;
    columns[c].width = specs[c].width;
  }
  return columns;
}

}  // namespace sample_grids
