#pragma once

#include <cstdint>

namespace nv::document {

class ScoreDocument;

// The score's calls that the modify and design pages' buttons make on the
// selection and the layout, each one undo step of the score. Tests record them.
class LayoutEdits {
 public:
  virtual ~LayoutEdits() = default;

  virtual void MoveSelectionVert(int delta) = 0;
  virtual void MoveSelectionByPitch(int delta) = 0;
  virtual void MoveSelectionHorz(int delta) = 0;
  virtual void ResizeSelection(int delta) = 0;
  virtual void SetStemDirection(int direction) = 0;
  virtual void OffsetNote() = 0;
  virtual void AlignSelection() = 0;
  virtual void ChangeColumnSpace(bool before, int delta) = 0;
  virtual void JoinNotes(bool unjoin) = 0;
  virtual void SplitUnionNotes(bool split) = 0;
  virtual void MoveRowInSystem(int delta) = 0;
  virtual void ShiftSystemLeftIndent(int delta) = 0;
  virtual void ShiftSystemRightIndent(int delta) = 0;
  virtual void ChangeSpaceAfterBar(int delta) = 0;
  virtual void UnionSplitRow(bool unite) = 0;
  virtual void SetMeasureUnionStyle(std::uint8_t style, std::int32_t count) = 0;
  virtual void SetSystemAlignment(bool own, int spacingMode, bool horzAlign, int measureCount, bool density) = 0;
  virtual void SetBeamDirection(int delta) = 0;
  virtual void SetPageBreak(bool add) = 0;
  // The ornaments and effects of the selected notes played out.
  virtual void CalcSequence() = 0;
  // The velocities of the current row's notes from its dynamics.
  virtual void CalcVelocity() = 0;
};

// The calls on a document's score.
class DocumentLayoutEdits final : public LayoutEdits {
 public:
  explicit DocumentLayoutEdits(ScoreDocument& document) : document_(document) {}

  void MoveSelectionVert(int delta) override;
  void MoveSelectionByPitch(int delta) override;
  void MoveSelectionHorz(int delta) override;
  void ResizeSelection(int delta) override;
  void SetStemDirection(int direction) override;
  void OffsetNote() override;
  void AlignSelection() override;
  void ChangeColumnSpace(bool before, int delta) override;
  void JoinNotes(bool unjoin) override;
  void SplitUnionNotes(bool split) override;
  void MoveRowInSystem(int delta) override;
  void ShiftSystemLeftIndent(int delta) override;
  void ShiftSystemRightIndent(int delta) override;
  void ChangeSpaceAfterBar(int delta) override;
  void UnionSplitRow(bool unite) override;
  void SetMeasureUnionStyle(std::uint8_t style, std::int32_t count) override;
  void SetSystemAlignment(bool own, int spacingMode, bool horzAlign, int measureCount, bool density) override;
  void SetBeamDirection(int delta) override;
  void SetPageBreak(bool add) override;
  void CalcSequence() override;
  void CalcVelocity() override;

 private:
  ScoreDocument& document_;
};

}  // namespace nv::document
