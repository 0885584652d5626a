#include "document/play_error_text.h"

#include "formats/general_midi_names.h"
#include "model/instrument.h"
#include "model/row.h"

namespace nv::document {

namespace {

constexpr int kPlayErrorQuestion = 41;

std::string StaffName(const TECInstrument& staff) {
  return staff.Name().empty() ? std::string(GeneralMidiName(staff.MidiInstrument())) : staff.Name();
}

}  // namespace

std::string BadMeasureList(const std::vector<const TECMeasure*>& measures) {
  std::string list;
  const TECInstrument* previousStaff = nullptr;
  int previousBar = 0;
  for (const TECMeasure* measure : measures) {
    const TECInstrument* staff = measure->Owner != nullptr ? measure->Owner->Owner() : nullptr;
    if (staff == nullptr) continue;
    const int bar = staff->LaidOutBarNumber(measure->Index) + 1;
    if (staff != previousStaff) {
      if (previousStaff != nullptr) list += ") ";
      list += StaffName(*staff) + "(" + std::to_string(bar);
    } else if (bar != previousBar) {
      list += "," + std::to_string(bar);
    }
    previousStaff = staff;
    previousBar = bar;
  }
  if (previousStaff != nullptr) list += ")";
  return list;
}

std::string PlayErrorText(const std::vector<const TECMeasure*>& measures, const platform::FormTexts& texts) {
  return BadMeasureList(measures) + " " + texts.GetString(platform::form_key::kDocumentWindow, kPlayErrorQuestion);
}

}  // namespace nv::document
