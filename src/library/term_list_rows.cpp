#include "library/term_list_rows.h"

#include <algorithm>
#include <set>

#include "platform/text_case.h"

namespace nv::library {
namespace {

constexpr int kFirstRowTop = 10;
constexpr int kRowPitch = 20;

struct Range {
  int Minimum;
  int Maximum;
};

Range RangeOf(int kind, bool change) {
  if (kind == term_kind::Tempo) return {-100, 100};
  return change ? Range{-63, 63} : Range{0, 127};
}

}  // namespace

int TermKindOfText(std::string_view text, const std::array<std::string_view, 3>& names) {
  for (std::size_t kind = 0; kind < names.size(); ++kind) {
    if (nv::platform::SameTextIgnoringCase(text, names[kind])) return static_cast<int>(kind);
  }
  return term_kind::Inscription;
}

std::vector<TermRow> TermRowsOf(const std::vector<TECTermDescription>& terms) {
  std::vector<TermRow> rows;
  for (const auto& term : terms) rows.push_back({term.Name, term.Kind, term.First, term.Second});
  return rows;
}

void AddTermRow(std::vector<TermRow>& rows) { rows.push_back(TermRow{}); }

void RemoveTermRow(std::vector<TermRow>& rows, std::size_t row) {
  if (row >= rows.size()) return;
  if (rows.size() == 1) {
    rows[0] = TermRow{};
    return;
  }
  rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(row));
}

std::vector<TECTermDescription> TermsOfRows(const std::vector<TermRow>& rows) {
  std::vector<TECTermDescription> terms;
  std::set<std::string> keys;
  for (const TermRow& row : rows) {
    if (row.Name.empty()) continue;
    if (row.Name.find_first_of(",\r\n") != std::string::npos) {
      throw ETermError("The term \"" + row.Name + "\" cannot hold a \",\"");
    }
    if (row.Kind > term_kind::Inscription && !keys.insert(TermKey(row.Name)).second) {
      throw ETermError("The term \"" + row.Name + "\" is in the list twice");
    }
    terms.push_back({row.Name, row.Kind, row.First, row.Second});
  }
  return terms;
}

std::vector<TermSettingsRow> TermSettingsRows(const std::vector<TECTermDescription>& terms, int kind) {
  std::vector<TermSettingsRow> rows;
  const bool dynamic = kind == term_kind::Dynamic;
  for (std::size_t i = 0; i < terms.size(); ++i) {
    if (terms[i].Kind != kind) continue;
    TermSettingsRow row;
    row.Term = i;
    row.Top = kFirstRowTop + kRowPitch * static_cast<int>(rows.size());
    row.HasCheckBox = dynamic;
    row.Checked = dynamic && terms[i].First != 0;
    row.TrackLeft = dynamic ? 140 : 100;
    row.TrackWidth = dynamic ? 170 : 212;
    row.TickX = dynamic ? std::array<int, 3>{146, 225, 303} : std::array<int, 3>{106, 206, 306};
    const Range range = RangeOf(kind, row.Checked);
    row.Minimum = range.Minimum;
    row.Maximum = range.Maximum;
    row.Position = std::clamp(terms[i].Second, range.Minimum, range.Maximum);
    rows.push_back(row);
  }
  return rows;
}

void MoveTermTrack(TermSettingsRow& row, TECTermDescription& term, int position) {
  row.Position = std::clamp(position, row.Minimum, row.Maximum);
  term.Second = row.Position;
}

void ToggleTermChange(TermSettingsRow& row, TECTermDescription& term, bool checked) {
  row.Checked = checked;
  const Range range = RangeOf(term.Kind, checked);
  row.Minimum = range.Minimum;
  row.Maximum = range.Maximum;
  term.First = checked ? 1 : 0;
  MoveTermTrack(row, term, row.Position);
}

}  // namespace nv::library
