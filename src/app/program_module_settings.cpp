#include <stdexcept>
#include <string>

#include "app/program_module.h"
#include "document/main_dialogs.h"
#include "document/program_options.h"
#include "document/score_document.h"
#include "model/music_score.h"

namespace nv::app {

namespace {

// Selects device `chosen` of `names` on `device` unless it is in force; a
// failure names the device and the port layer's reason.
template <typename Device>
void SelectDevice(Device& device, int chosen, const std::vector<std::string>& names) {
  if (chosen < 0 || chosen >= static_cast<int>(names.size()) || chosen == device.GetDeviceID()) return;
  try {
    device.SetDeviceID(chosen);
  } catch (const std::exception& error) {
    throw std::runtime_error("The MIDI device \"" + names[static_cast<std::size_t>(chosen)] +
                             "\" cannot be used: " + error.what());
  }
}

}  // namespace

void TFProgramModule::EditProgramSettings() {
  StopAll();
  nv::document::ProgramOptions offer = nv::document::OptionsFromSettings(settings_);
  nv::document::ListMidiDevices(*services_.ports, offer);
  offer.Output = MOScore.GetDeviceID();
  offer.Input = MIScore.GetDeviceID();
  const std::optional<nv::document::ProgramOptions> chosen = services_.dialogs->Settings(offer);
  if (!chosen) return;
  // The devices first; a device that fails keeps the one in force and every
  // other option is still stored before the user hears of it.
  std::string failure;
  try {
    SelectDevice(MOScore, chosen->Output, chosen->OutputNames);
    settings_.OutputDevice = MOScore.GetDeviceID();
    SelectDevice(MIScore, chosen->Input, chosen->InputNames);
    settings_.InputDevice = MIScore.GetDeviceID();
  } catch (const std::exception& error) {
    failure = error.what();
  }
  SetAutoEffect(chosen->AutoEffect);
  SetAutoVelocity(chosen->AutoVelocity);
  nv::document::StoreOptions(*chosen, settings_);
  ShowNewsCommand();
  UpdateActions();
  if (!failure.empty()) throw std::runtime_error(failure);
}

void TFProgramModule::SetAutoEffect(bool on) {
  if (on == settings_.AutoEffect) return;
  settings_.AutoEffect = on;
  if (DocumentPage* page = ActiveEditor()) page->Document().Score().AutoEffect = on;
}

void TFProgramModule::SetAutoVelocity(bool on) {
  if (on == settings_.AutoVelocity) return;
  settings_.AutoVelocity = on;
  if (DocumentPage* page = ActiveEditor()) page->Document().Score().AutoVelocity = on;
}

}  // namespace nv::app
