#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace nv::document {

struct ProgramSettings;

// The five group expanders of the symbols page.
enum class SymbolGroup { Dinamics, Fermata, Accepts, Strings, Bends };
inline constexpr int kSymbolGroupCount = 5;

// The lefts and visibility of every control in the symbols page's scroll
// panel as the expanders fold and unfold their groups. Folding moves every
// control at or right of the group's reference (outside the group and its
// excluded set) left by the group's width, and hides the group; unfolding
// moves them back and shows it.
class SymbolStripLayout {
 public:
  struct Control {
    std::string Name;
    int Left = 0;
    int Width = 0;
    bool Visible = true;
  };

  explicit SymbolStripLayout(std::vector<Control> controls);
  // The symbols page's scroll panel as its table places it, all unfolded.
  static SymbolStripLayout ForSymbolsPage();

  const std::vector<Control>& Controls() const { return controls_; }
  // Null for a name the panel does not hold.
  const Control* Find(std::string_view name) const;

  // Whether the group is folded (its expander's arrow points right).
  bool Folded(SymbolGroup group) const { return folded_[static_cast<int>(group)]; }
  // Folds a shown group or unfolds a folded one; true when it folded.
  bool Toggle(SymbolGroup group);

  // The expander's component name and its setting ("ExDinamics" ...).
  static std::string_view ExpanderName(SymbolGroup group);
  static bool& Setting(ProgramSettings& settings, SymbolGroup group);

 private:
  Control* Mutable(std::string_view name);

  std::vector<Control> controls_;
  std::array<bool, kSymbolGroupCount> folded_{};
};

}  // namespace nv::document
