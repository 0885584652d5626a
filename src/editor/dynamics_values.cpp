#include "editor/dynamics_values.h"

#include <algorithm>

#include "document/program_settings.h"

namespace nv::editor {
namespace {

using Settings = nv::document::ProgramSettings;

struct Entry {
  int Kind;
  int Settings::*Value;
};

constexpr Entry kEntries[] = {
    {160, &Settings::Piano},       {161, &Settings::Pianissimo},   {162, &Settings::PianoPianissimo},
    {163, &Settings::MezzoPiano},  {164, &Settings::FortePiano},   {165, &Settings::MezzoForte},
    {166, &Settings::Forte},       {167, &Settings::Fortissimo},   {168, &Settings::ForteFortissimo},
    {169, &Settings::SForzato},    {170, &Settings::ExtraForzato}, {171, &Settings::Forzando},
    {172, &Settings::SForzando},   {221, &Settings::Crechendo},    {222, &Settings::Diminuendo},
    {198, &Settings::Accentus},    {199, &Settings::Accentus},     {195, &Settings::Fermata},
    {196, &Settings::Fermata},     {131, &Settings::Arpeggio},
};

constexpr int kStaccato = 109;
constexpr int kOther = 64;

}  // namespace

int DynamicsValue(int kind, const Settings& settings) {
  if (kind == kStaccato) {
    // A power of two of the setting less one; the shift is kept inside an
    // int for any stored value.
    return settings.Staccato < 2 ? 1 : 1 << std::min(settings.Staccato - 1, 30);
  }
  for (const Entry& entry : kEntries)
    if (entry.Kind == kind) return settings.*entry.Value;
  return kOther;
}

}  // namespace nv::editor
