#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini_file.h"

namespace nv::library {

namespace term_kind {
inline constexpr int Inscription = 0;
inline constexpr int Dynamic = 1;
inline constexpr int Tempo = 2;
}  // namespace term_kind

// A word written into the score as an expression mark, with the values
// playback takes from it. Dynamic: First 0 = Second is a velocity (0..127),
// else a change of the velocity (-63..63). Tempo: Second is a change of the
// tempo (-100..100; playback takes 100 + Second percent).
struct TECTermDescription {
  std::string Name;
  int Kind = term_kind::Inscription;
  int First = 0;
  int Second = 0;
  bool operator==(const TECTermDescription&) const = default;
};

// A term's line in "Terms.ini": name, kind, first and second value joined by
// ",". The name is the text before the first comma (empty without one); the
// kind and the first value are each the number before the next comma (0
// when not a number; when no comma follows, 0 and nothing is taken); the
// second value is the rest as a number.
TECTermDescription ParseTermLine(std::string_view line);
// Raises ETermError for a name with "," (it would be cut on reading) or a
// line break.
std::string TermLine(const TECTermDescription& term);

class ETermError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Section "Terms": "TermMax" and "Term0" ... A count larger than the entries
// costs only the entries there are.
std::vector<TECTermDescription> ReadTerms(const nv::platform::IniFile& file);
// Raises ETermError, before changing the file, for a name TermLine refuses.
void WriteTerms(nv::platform::IniFile& file, const std::vector<TECTermDescription>& terms);

// The key a term is found by: its name upper-cased.
std::string TermKey(std::string_view name);

// Dynamic and tempo terms by their key. A duplicate key raises "Duplicate
// name" and leaves the tree as it was.
class TermNameTree {
 public:
  void Add(const std::string& key, const TECTermDescription* term);
  const TECTermDescription* Find(std::string_view key) const;
  void Clear() { terms_.clear(); }

 private:
  std::map<std::string, const TECTermDescription*, std::less<>> terms_;
};

// Builds the tree over the dynamic and tempo terms in list order: the first
// of two terms with one key wins. Returns the names of the others.
std::vector<std::string> BuildTermTree(TermNameTree& tree, const std::vector<TECTermDescription>& terms);

// What the score asks for a term's text and kind: its two values, when a
// term of that kind has the text.
bool GetTermValues(const TermNameTree& tree, int kind, std::string_view text, int& first, int& second);

}  // namespace nv::library
