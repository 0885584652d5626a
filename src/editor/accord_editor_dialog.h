#pragma once

#include <vector>

#include "dialogs/dialog_frame.h"
#include "model/measure_items.h"

class QLabel;

namespace nv::editor {

class TECChordEditor;

// "Chord": a chord symbol edited piece by piece in the chord-name editor.
class TFAccordEditor : public dialogs::DialogFrame {
  Q_OBJECT
 public:
  explicit TFAccordEditor(platform::IniFile* settings, QWidget* parent = nullptr);

  // Each piece's five format bytes and text; an empty list gives one blank
  // piece.
  void SetChordItems(const std::vector<TECChordPiece>& pieces);
  std::vector<TECChordPiece> GetChordItems() const;

  TECChordEditor& Editor() const { return *editor_; }

 protected:
  bool validate() override;
  void showEvent(QShowEvent* event) override;

 private:
  TECChordEditor* editor_;
  QLabel* name_;
};

}  // namespace nv::editor
