#include "editor/chord_builder_settings.h"

#include <algorithm>

#include "document/program_settings.h"
#include "library/chord_builder.h"

namespace nv::editor {

namespace {

// A stored choice outside its buttons' values shows as the first.
int InRange(int value, int last) { return value >= 0 && value <= last ? value : 0; }

}  // namespace

void LoadChordBuilder(nv::library::ChordBuilder& builder, const nv::document::ProgramSettings& s) {
  nv::library::ChordButtons& b = builder.Buttons;
  b.RootStep = InRange(s.ChordNote, 6);
  b.Extension = InRange(s.ChordBase, 5);
  b.RootFlat = s.ChordBemol;
  b.RootSharp = s.ChordDiesis && !s.ChordBemol;
  b.MinorStyle = InRange(s.ChordMinor, 2);
  b.MajorStyle = InRange(s.ChordMajor, 1);
  b.SusStyle = InRange(s.ChordSus, 2);
  b.OmitStyle = InRange(s.ChordOmit, 3);
  b.Brackets = s.ChordBracket;
  b.Add = s.ChordAdd;
  b.AlterationStyle = std::clamp(s.ChordAddStyle, 0, 3);
  const int alterations[] = {s.ChordAdd5, s.ChordAdd7, s.ChordAdd9, s.ChordAdd11, s.ChordAdd13};
  for (std::size_t i = 0; i < b.Alteration.size(); ++i) b.Alteration[i] = InRange(alterations[i], 2);
  builder.Above = s.ChordAbove;
  builder.Duration = nv::library::ValidChordDuration(s.ChordDuration);
  builder.NotesMode = !s.ChordAddition;
}

void StoreChordBuilder(const nv::library::ChordBuilder& builder, nv::document::ProgramSettings& s) {
  const nv::library::ChordButtons& b = builder.Buttons;
  s.ChordNote = b.RootStep;
  s.ChordBase = b.Extension;
  s.ChordBemol = b.RootFlat;
  s.ChordDiesis = b.RootSharp;
  s.ChordMinor = b.MinorStyle;
  s.ChordMajor = b.MajorStyle;
  s.ChordSus = b.SusStyle;
  s.ChordOmit = b.OmitStyle;
  s.ChordBracket = b.Brackets;
  s.ChordAdd = b.Add;
  s.ChordAddStyle = b.AlterationStyle;
  s.ChordAdd5 = b.Alteration[0];
  s.ChordAdd7 = b.Alteration[1];
  s.ChordAdd9 = b.Alteration[2];
  s.ChordAdd11 = b.Alteration[3];
  s.ChordAdd13 = b.Alteration[4];
  s.ChordAbove = builder.Above;
  s.ChordDuration = builder.Duration;
  s.ChordAddition = !builder.NotesMode;
}

}  // namespace nv::editor
