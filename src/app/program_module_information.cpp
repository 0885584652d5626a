#include <stdexcept>
#include <string>

#include "app/program_module.h"
#include "dialogs/about_windows.h"
#include "dialogs/page_windows.h"
#include "dialogs/tutorial_window.h"
#include "document/information_pages.h"
#include "document/settings_file.h"
#include "platform/asset_paths.h"
#include "widgets/command_actions.h"

namespace nv::app {

namespace {

std::filesystem::path DataDir(const ProgramServices& services) {
  return services.dataDir.empty() ? nv::platform::assetsDir() : services.dataDir;
}

nv::widgets::UrlOpener Opener(const ProgramServices& services) {
  return services.urlOpener ? services.urlOpener : nv::widgets::DesktopUrlOpener();
}

// Selects device `index` on `device`: the port layer's reason when it cannot.
template <typename Device>
std::string TrySelect(Device& device, int index) {
  try {
    device.SetDeviceID(index);
    return {};
  } catch (const std::exception& error) {
    return error.what();
  }
}

}  // namespace

void TFProgramModule::AddInformationCommands() {
  auto add = [this](const char* id, const char* caption, std::function<void()> run) {
    nv::document::Command command;
    command.Id = id;
    command.Caption = caption;
    command.Run = [run = std::move(run)](const nv::document::CommandArgs&) { run(); };
    registry_.Add(std::move(command));
  };
  add("help.references", "References", [this] { ToggleReferences(); });
  add("help.tutorial", "Tutorial", [this] { ShowTutorial(); });
  add("help.about", "About...", [this] { ShowAbout(); });
}

void TFProgramModule::ShowNewsCommand() {
  actions_->Action("help.news").setVisible(settings_.GetNews && static_cast<bool>(services_.news));
}

void TFProgramModule::ToggleReferences() {
  if (references_) {
    references_->close();
    return;
  }
  references_ = new nv::dialogs::TFReferenceModule(DataDir(services_), InterfaceLanguage(),
                                                   services_.settings ? &services_.settings->Ini() : nullptr,
                                                   Opener(services_));
  references_->show();
}

QWidget* TFProgramModule::ShowAbout() {
  auto* about = new nv::dialogs::TFormAbout(nv::document::aboutPicturePath(DataDir(services_)), {},
                                            Opener(services_), this);
  about->show();
  return about;
}

void TFProgramModule::ShowTutorial() {
  StopAll();
  nv::dialogs::TFTutorialModule tutorial(services_.tutorialPlayer, [this] {
    if (!references_) ToggleReferences();
  }, this);
  tutorial.PlayTutorial(nv::document::tutorialPath(DataDir(services_)));
  tutorial.exec();
}

std::unique_ptr<nv::dialogs::TFStartModule> TFProgramModule::MakeStartDialog() {
  nv::document::ProgramOptions devices;
  nv::document::ListMidiDevices(*services_.ports, devices);
  devices.Output = MOScore.GetDeviceID();
  devices.Input = MIScore.GetDeviceID();
  nv::dialogs::StartHost& host = *this;
  return std::make_unique<nv::dialogs::TFStartModule>(devices, InterfaceLanguage(), host, this);
}

void TFProgramModule::ShowStartDialog() {
  if (!settings_.StartModule) return;
  // Written first: a dialog that cannot show is not tried at every start.
  settings_.StartModule = false;
  MakeStartDialog()->exec();
}

std::string TFProgramModule::SelectInput(int index) {
  std::string reason = TrySelect(MIScore, index);
  if (reason.empty()) settings_.InputDevice = MIScore.GetDeviceID();
  return reason;
}

std::string TFProgramModule::SelectOutput(int index) {
  std::string reason = TrySelect(MOScore, index);
  if (reason.empty()) settings_.OutputDevice = MOScore.GetDeviceID();
  return reason;
}

void TFProgramModule::SetLanguage(const QString& code) { SetInterfaceLanguage(code); }

void TFProgramModule::CloseSplashWhenDue() {
  nv::dialogs::TFLogoModule* splash = nv::dialogs::TFLogoModule::Current();
  if (splash == nullptr) return;
  const std::int64_t now = (services_.uptime ? *services_.uptime : nv::document::UptimeClock::System()).NowMs();
  if (splashTiming_.CloseDue(now, splash->isVisible())) splash->close();
}

}  // namespace nv::app
