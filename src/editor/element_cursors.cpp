#include "editor/element_cursors.h"

#include <array>
#include <utility>

#include "model/element_kinds.h"
#include "model/measure_items.h"
#include "model/note_records.h"

namespace nv::editor {
namespace {

// Values in ticks (a quarter is 32) from the 1/64 to the whole.
constexpr std::array<int, 7> kValueTicks = {2, 4, 8, 16, 32, 64, 128};
constexpr std::array<std::string_view, 7> kNoteNames = {"NOTE64", "NOTE32", "NOTE16", "NOTE8", "NOTE4", "NOTE2", "NOTE"};
constexpr std::array<std::string_view, 7> kRestNames = {"PAUSE64", "PAUSE32", "PAUSE16", "PAUSE8",
                                                        "PAUSE4",  "PAUSE2",  "PAUSE"};
constexpr std::array<std::string_view, 8> kStringNames = {"1STRING", "2STRING", "3STRING", "4STRING",
                                                          "5STRING", "6STRING", "7STRING", "8STRING"};

constexpr std::pair<int, std::string_view> kKindNames[] = {
    {32, "SNOTE4"},       {61, "TEXT"},          {62, "IMAGE"},          {71, "SEGNO"},
    {72, "FONAR"},        {73, "FONAR"},         {74, "DACAPO"},         {75, "DALSEGNO"},
    {76, "SHARE"},        {80, "BARNUMBER"},     {99, "TEMPO"},          {131, "ARPEGGIO"},
    {132, "TREMOLO"},     {133, "TOPHANG"},      {134, "BOTTOMHANG"},    {160, "PIANO"},
    {161, "PIANISSIMO"},  {162, "PIANISSISSIMO"}, {163, "MEZZOPIANO"},   {164, "FORTEPIANO"},
    {165, "MEZZOFORTE"},  {166, "FORTE"},         {167, "FORTISSIMO"},   {168, "FORTISSISSIMO"},
    {169, "SFORZATO"},    {170, "EXTRAFORZATO"},  {171, "FORZANDO"},     {172, "SFORZANDO"},
    {179, "PEDALUP"},     {180, "PEDALDOWN"},     {181, "GROUP1"},       {182, "GROUP2"},
    {184, "TRILLARE"},    {185, "TRILLAREB"},     {186, "TRILLARED"},    {187, "TRILLAREBK"},
    {188, "MONDERT"},     {189, "SMONDERT"},      {190, "DMONDERT"},     {191, "DSMONDERT"},
    {195, "FERMATAUP"},   {196, "FERMATADOWN"},   {198, "ACCEPTTOP"},    {199, "ACCEPTRIGHT"},
    {216, "ONE"},         {217, "TWO"},           {218, "THREE"},        {219, "FOUR"},
    {220, "FIVE"},        {221, "CRECHENDO"},     {222, "DEMENUENDO"},   {223, "OTTAVAA"},
    {224, "OTTAVAB"},     {225, "TRILLARE1"},     {226, "BRACKETUP"},    {227, "BRACKETDOWN"},
    {228, "BARRE"},       {229, "CONTINUEUNTIL"}, {230, "PREBEND"},      {240, "COMMENT"},
};

constexpr int kStringNumber = 175;

std::optional<std::string_view> ByValue(int ticks, const std::array<std::string_view, 7>& names) {
  for (std::size_t i = 0; i < kValueTicks.size(); ++i)
    if (kValueTicks[i] == ticks) return names[i];
  return std::nullopt;
}

}  // namespace

std::optional<std::string_view> CursorNameOf(const TECElement* element) {
  if (element == nullptr) return std::string_view{};
  if (element->Type() == TECElementType::Note && ek::IsNoteStep(element->Kind))
    return ByValue(static_cast<const TECNote*>(element)->Length, kNoteNames);
  if (element->Type() == TECElementType::Rest) return ByValue(static_cast<const TECRest*>(element)->Length, kRestNames);
  if (element->Kind == kStringNumber && element->Type() == TECElementType::MeasureItem) {
    const int value = static_cast<const TECMeasureItem*>(element)->Second;
    if (value >= 1 && value <= 8) return kStringNames[static_cast<std::size_t>(value - 1)];
    return std::string_view{};
  }
  for (const auto& [kind, name] : kKindNames)
    if (kind == element->Kind) return name;
  return std::string_view{};
}

}  // namespace nv::editor
