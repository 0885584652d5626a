#include "document/layout_edits.h"

#include "document/note_calculations.h"
#include "document/score_document.h"

namespace nv::document {

void DocumentLayoutEdits::MoveSelectionVert(int delta) { document_.Score().MoveSelectionVert(delta); }
void DocumentLayoutEdits::MoveSelectionByPitch(int delta) { document_.Score().MoveSelectionByPitch(delta); }
void DocumentLayoutEdits::MoveSelectionHorz(int delta) { document_.Score().MoveSelectionHorz(delta); }
void DocumentLayoutEdits::ResizeSelection(int delta) { document_.Score().ResizeSelection(delta); }
void DocumentLayoutEdits::SetStemDirection(int direction) { document_.Score().SetStemDirection(direction); }
void DocumentLayoutEdits::OffsetNote() { document_.Score().OffsetNote(); }
void DocumentLayoutEdits::AlignSelection() { document_.Score().AlignSelection(); }
void DocumentLayoutEdits::ChangeColumnSpace(bool before, int delta) { document_.Score().ChangeColumnSpace(before, delta); }
void DocumentLayoutEdits::JoinNotes(bool unjoin) { document_.Score().JoinNotes(unjoin); }
void DocumentLayoutEdits::SplitUnionNotes(bool split) { document_.Score().SplitUnionNotes(split); }
void DocumentLayoutEdits::MoveRowInSystem(int delta) { document_.Score().MoveRowInSystem(delta); }
void DocumentLayoutEdits::ShiftSystemLeftIndent(int delta) { document_.Score().ShiftSystemLeftIndent(delta); }
void DocumentLayoutEdits::ShiftSystemRightIndent(int delta) { document_.Score().ShiftSystemRightIndent(delta); }
void DocumentLayoutEdits::ChangeSpaceAfterBar(int delta) { document_.Score().ChangeSpaceAfterBar(delta); }
void DocumentLayoutEdits::UnionSplitRow(bool unite) { document_.Score().UnionSplitRow(unite); }
void DocumentLayoutEdits::SetMeasureUnionStyle(std::uint8_t style, std::int32_t count) {
  document_.Score().SetMeasureUnionStyle(style, count);
}
void DocumentLayoutEdits::SetSystemAlignment(bool own, int spacingMode, bool horzAlign, int measureCount,
                                             bool density) {
  document_.Score().SetSystemAlignment(own, spacingMode, horzAlign, measureCount, density);
}
void DocumentLayoutEdits::SetBeamDirection(int delta) { document_.Score().SetBeamDirection(delta); }
void DocumentLayoutEdits::SetPageBreak(bool add) { document_.Score().SetPageBreak(add); }
void DocumentLayoutEdits::CalcSequence() { nv::document::CalcSequence(document_); }
void DocumentLayoutEdits::CalcVelocity() { nv::document::CalcVelocity(document_); }

}  // namespace nv::document
