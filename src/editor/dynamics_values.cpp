#include "editor/dynamics_values.h"

#include <algorithm>
#include <utility>

namespace nv::editor {
namespace {

struct Entry {
  int Kind;
  std::string_view Setting;
  int Default;
};

constexpr Entry kEntries[] = {
    {160, "Piano", 44},       {161, "Pianissimo", 34}, {162, "PianoPianissimo", 24}, {163, "MezzoPiano", 54},
    {164, "FortePiano", 64},  {165, "MezzoForte", 74}, {166, "Forte", 84},           {167, "Fortissimo", 94},
    {168, "ForteFortissimo", 104}, {169, "SForzato", 54}, {170, "ExtraForzato", 74}, {171, "Forzando", 84},
    {172, "SForzando", 94},   {221, "Crechendo", 40},  {222, "Diminuendo", 40},      {198, "Accentus", 20},
    {199, "Accentus", 20},    {195, "Fermata", 2},     {196, "Fermata", 2},          {131, "Arpeggio", 4},
};

constexpr int kStaccato = 109;
constexpr int kStaccatoDefault = 4;
constexpr int kOther = 64;

int Setting(const DynamicsSettings& settings, std::string_view name, int fallback) {
  if (!settings) return fallback;
  return settings(name).value_or(fallback);
}

}  // namespace

int DynamicsValue(int kind, const DynamicsSettings& settings) {
  if (kind == kStaccato) {
    // A power of two of the setting less one; the shift is kept inside an
    // int for any stored value.
    const int staccato = Setting(settings, "Staccato", kStaccatoDefault);
    return staccato < 2 ? 1 : 1 << std::min(staccato - 1, 30);
  }
  for (const Entry& entry : kEntries)
    if (entry.Kind == kind) return Setting(settings, entry.Setting, entry.Default);
  return kOther;
}

}  // namespace nv::editor
