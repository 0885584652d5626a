#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "library/term_description.h"

namespace nv::library {

// The term list dialog's grid without the grid: one row per term, its name
// and kind shown, its values carried with the row so that a term keeps its
// own values when rows above it are removed.
struct TermRow {
  std::string Name;
  int Kind = term_kind::Inscription;
  int First = 0;
  int Second = 0;
  bool operator==(const TermRow&) const = default;
};

// The kind list's entries, in kind order.
inline constexpr std::array<std::string_view, 3> kTermKindNames{"Inscription", "Dinamic", "Tempo"};

// The kind whose list entry is `text` (ignoring case), Inscription for any
// other text.
int TermKindOfText(std::string_view text, const std::array<std::string_view, 3>& names = kTermKindNames);

std::vector<TermRow> TermRowsOf(const std::vector<TECTermDescription>& terms);
// "Add": an empty inscription at the end.
void AddTermRow(std::vector<TermRow>& rows);
// "Remove": the row goes and the rows below move up; the last row left is
// emptied instead, so that the grid keeps one row.
void RemoveTermRow(std::vector<TermRow>& rows, std::size_t row);
// "OK": the terms the rows make, rows with an empty name left out. Raises
// ETermError naming the first name with "," and the first dynamic or tempo
// name that another row of those kinds has (ignoring case).
std::vector<TECTermDescription> TermsOfRows(const std::vector<TermRow>& rows);

// The term settings dialog for one kind (dynamic or tempo): what its rows
// show and how its controls change the terms.
struct TermSettingsRow {
  std::size_t Term = 0;  // index into the term list
  int Top = 0;
  bool HasCheckBox = false;  // dynamics: the value is a change
  bool Checked = false;
  int TrackLeft = 0;
  int TrackWidth = 0;
  int Minimum = 0;
  int Maximum = 0;
  int Position = 0;
  std::array<int, 3> TickX{};
};

// One row per term of the kind, 20 pixels apart from 10.
std::vector<TermSettingsRow> TermSettingsRows(const std::vector<TECTermDescription>& terms, int kind);
// The track moved: the term's second value follows at once.
void MoveTermTrack(TermSettingsRow& row, TECTermDescription& term, int position);
// The check box toggled: the range switches (0..127 or -63..63), the first
// value is 1 or 0, and the position, kept inside the new range, becomes the
// second value.
void ToggleTermChange(TermSettingsRow& row, TECTermDescription& term, bool checked);

}  // namespace nv::library
