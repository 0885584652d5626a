#include "library/term_description.h"

#include <algorithm>
#include <charconv>

#include "library/list_entries.h"
#include "library/list_files.h"
#include "model/text_encoding.h"
#include "platform/unicode_case.h"

namespace nv::library {
namespace {

int NumberOf(std::string_view text) { return nv::platform::ParseIniInteger(text).value_or(0); }

// The number before the next comma, which is taken with it; 0 and nothing
// taken when no comma follows.
int TakeField(std::string_view& rest) {
  const auto comma = rest.find(',');
  if (comma == std::string_view::npos) return 0;
  const int value = NumberOf(rest.substr(0, comma));
  rest.remove_prefix(comma + 1);
  return value;
}

}  // namespace

TECTermDescription ParseTermLine(std::string_view line) {
  TECTermDescription term;
  std::string_view rest = line;
  if (const auto comma = line.find(','); comma != std::string_view::npos) {
    term.Name = DecodeStoredText(line.substr(0, comma), LegacyTextCodePage());
    rest.remove_prefix(comma + 1);
  }
  term.Kind = TakeField(rest);
  term.First = TakeField(rest);
  term.Second = NumberOf(rest);
  return term;
}

std::string TermLine(const TECTermDescription& term) {
  if (term.Name.find_first_of(",\r\n") != std::string::npos) {
    throw ETermError("The term \"" + term.Name + "\" cannot hold a \",\" or a line break");
  }
  return term.Name + "," + std::to_string(term.Kind) + "," + std::to_string(term.First) + "," +
         std::to_string(term.Second);
}

std::vector<TECTermDescription> ReadTerms(const nv::platform::IniFile& file) {
  std::vector<TECTermDescription> terms;
  for (const std::string& line : ReadListEntries(file, kTermListFile.Section, kTermListFile.CountKey, kTermListFile.Prefix)) {
    terms.push_back(ParseTermLine(line));
  }
  return terms;
}

void WriteTerms(nv::platform::IniFile& file, const std::vector<TECTermDescription>& terms) {
  std::vector<std::string> lines;
  for (const auto& term : terms) lines.push_back(TermLine(term));
  WriteListEntries(file, kTermListFile.Section, kTermListFile.CountKey, kTermListFile.Prefix, lines);
}

std::string TermKey(std::string_view name) { return nv::platform::UpperCaseText(name); }

void TermNameTree::Add(const std::string& key, const TECTermDescription* term) {
  if (!terms_.try_emplace(key, term).second) throw ETermError("Duplicate name");
}

const TECTermDescription* TermNameTree::Find(std::string_view key) const {
  const auto found = terms_.find(key);
  return found == terms_.end() ? nullptr : found->second;
}

std::vector<std::string> BuildTermTree(TermNameTree& tree, const std::vector<TECTermDescription>& terms) {
  tree.Clear();
  std::vector<std::string> duplicates;
  for (const auto& term : terms) {
    if (term.Kind <= term_kind::Inscription) continue;
    try {
      tree.Add(TermKey(term.Name), &term);
    } catch (const ETermError&) {
      duplicates.push_back(term.Name);
    }
  }
  return duplicates;
}

bool GetTermValues(const TermNameTree& tree, int kind, std::string_view text, int& first, int& second) {
  const TECTermDescription* term = tree.Find(TermKey(text));
  if (!term || term->Kind != kind) return false;
  first = term->First;
  second = term->Second;
  return true;
}

}  // namespace nv::library
