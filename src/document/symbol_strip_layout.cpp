#include "document/symbol_strip_layout.h"

#include <algorithm>
#include <stdexcept>

#include "document/palette_pages.h"
#include "document/program_settings.h"

namespace nv::document {
namespace {

struct GroupRule {
  std::string_view Expander;
  std::vector<std::string_view> Members;
  std::string_view First;
  std::string_view Last;
  std::string_view Reference;
  std::vector<std::string_view> Excluded;
};

const std::array<GroupRule, kSymbolGroupCount>& Rules() {
  static const std::array<GroupRule, kSymbolGroupCount> rules = {{
      {"CBDinamics",
       {"CBFortissimo", "CBPianissimo", "CBFortississimo", "CBPianississimo", "CBMezzoForte", "CBMezzopiano",
        "CBFortepiano", "CBSForzando", "CBForzando", "CBExtraForzato", "CBSForzato"},
       "CBFortissimo", "CBSForzato", "CBLCrechendo", {}},
      {"CBFermata",
       {"CBShortFermata1", "CBShortFermata2", "CBLongFermata1", "CBLongFermata2"},
       "CBShortFermata1", "CBLongFermata1", "CBAccentTop", {}},
      {"CBAccepts",
       {"CBTenutoStaccato1", "CBTenutoStaccato2", "CBStaccatoPressurePercussive1", "CBStaccatoPressurePercussive2",
        "CBTenutoPressurePercussive1", "CBTenutoPressurePercussive2", "CBTenutoPercussive1", "CBTenutoPercussive2",
        "CBStaccatoPercussive1", "CBStaccatoPercussive2", "CBTenutoWedge1", "CBTenutoWedge2",
        "CBWedgePressurePercussive1", "CBWedgePressurePercussive2"},
       "CBTenutoStaccato1", "CBWedgePressurePercussive2", "CBPedalUp", {}},
      {"CBStrings",
       {"CB3String", "CB4String", "CB5String", "CB6String", "CB7String", "CB8String"},
       "CB3String", "CB8String", "CB3String", {}},
      {"CBBends",
       {"CBPreBendRelease", "CBBendUpRelease", "CBPreBendReleaseOverTime", "CBBendUpReleaseOverTime"},
       "CBPreBendRelease", "CBPreBendReleaseOverTime", "CBPreBendRelease",
       {"CB5String", "CB6String", "CB7String", "CB8String"}},
  }};
  return rules;
}

bool Among(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

}  // namespace

SymbolStripLayout::SymbolStripLayout(std::vector<Control> controls) : controls_(std::move(controls)) {
  for (const GroupRule& rule : Rules())
    for (const std::string_view name : {rule.Expander, rule.First, rule.Last, rule.Reference})
      if (Find(name) == nullptr) throw std::invalid_argument("the symbols panel lacks " + std::string(name));
}

SymbolStripLayout SymbolStripLayout::ForSymbolsPage() {
  std::vector<const PaletteCell*> cells;
  for (const PaletteCell& cell : PaletteCells(ToolPage::Symbols))
    if (!OnPageItself(cell)) cells.push_back(&cell);
  std::vector<Control> controls;
  for (const PlacedCell& placed : PlaceCells(cells))
    controls.push_back({std::string(placed.Cell->Name), placed.Left, placed.Width, true});
  return SymbolStripLayout(std::move(controls));
}

const SymbolStripLayout::Control* SymbolStripLayout::Find(std::string_view name) const {
  for (const Control& control : controls_)
    if (control.Name == name) return &control;
  return nullptr;
}

SymbolStripLayout::Control* SymbolStripLayout::Mutable(std::string_view name) {
  return const_cast<Control*>(Find(name));
}

bool SymbolStripLayout::Toggle(SymbolGroup group) {
  const GroupRule& rule = Rules()[static_cast<int>(group)];
  const Control& first = *Find(rule.First);
  const Control& last = *Find(rule.Last);
  bool& folded = folded_[static_cast<int>(group)];
  const int span = last.Left + last.Width - first.Left + 1;
  const int shift = folded ? span : -span;
  const int reference = Find(rule.Reference)->Left;
  for (Control& control : controls_) {
    if (Among(rule.Members, control.Name) || Among(rule.Excluded, control.Name)) continue;
    if (control.Left >= reference) control.Left += shift;
  }
  folded = !folded;
  for (const std::string_view member : rule.Members)
    if (Control* control = Mutable(member)) control->Visible = !folded;
  return folded;
}

std::string_view SymbolStripLayout::ExpanderName(SymbolGroup group) { return Rules()[static_cast<int>(group)].Expander; }

bool& SymbolStripLayout::Setting(ProgramSettings& settings, SymbolGroup group) {
  switch (group) {
    case SymbolGroup::Dinamics: return settings.ExDinamics;
    case SymbolGroup::Fermata: return settings.ExFermata;
    case SymbolGroup::Accepts: return settings.ExAccepts;
    case SymbolGroup::Strings: return settings.ExStrings;
    case SymbolGroup::Bends: break;
  }
  return settings.ExBends;
}

}  // namespace nv::document
