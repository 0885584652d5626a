#pragma once

#include <QWidget>

#include <vector>

#include "widgets/logic/calculator_engine.h"

class QLabel;
class QToolButton;

namespace nv::widgets {

class Beeper;

// The calculator keypad over a CalculatorEngine. The full layout (240 x 129)
// has all 28 keys, the operator glyphs and the memory box; the compact one
// (98 x 124), the drop-down's, has the digits, operators, "=", "<-" and "C".
// Its keys never take the focus.
class TECCalculatorPanel : public QWidget {
  Q_OBJECT
 public:
  enum class Layout { Full, Compact };

  TECCalculatorPanel(Layout layout, Beeper& beeper, const FormatSettings& settings,
                     QWidget* parent = nullptr);

  CalculatorEngine& Engine() { return engine_; }
  Layout KeyLayout() const { return layout_; }
  // A typed character: its key flashes for 20 ms and the character is processed.
  void TypeKey(char key);
  // The key button of a tag (0..21), nullptr when the layout has none.
  QToolButton* KeyButton(int tag) const;

  // The finishing keys (OK in the full layout) and Cancel.
  std::function<void()> onOk;
  std::function<void()> onCancel;

 private:
  void Pressed(int index);
  void UpdateMemoryLabel();

  Layout layout_;
  Beeper& beeper_;
  CalculatorEngine engine_;
  std::vector<QToolButton*> keys_;  // by index - 1, nullptr when not laid out
  QLabel* memory_ = nullptr;
};

}  // namespace nv::widgets
