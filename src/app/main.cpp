#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "app/process_services.h"
#include "app/program_module.h"
#include "app/startup_services.h"
#include "dialogs/about_windows.h"
#include "dialogs/page_windows.h"
#include "document/information_pages.h"
#include "platform/asset_paths.h"
#include "document/settings_file.h"
#include "platform/qt/display_check.h"
#include "widgets/help_opener.h"
#include "widgets/language.h"
#include "widgets/message_block.h"

int main(int argc, char** argv) {
  if (const auto reason = nv::platform::missingDisplayReason(); !reason.empty()) {
    std::fprintf(stderr, "notavistra: cannot start, %s\n", reason.c_str());
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName("Notavistra");
  nv::app::InstallProcessServices();
  // The one settings file, which every window reads and writes through; it
  // needs the application to know the program's folder.
  nv::document::SettingsFile settings(nv::app::ProgramSettingsPath(), nv::widgets::CurrentMessagePrompt(),
                                      nv::widgets::LanguageTexts());
  // The program's picture shows while the main window is made.
  nv::dialogs::ShowSplash(nv::document::aboutPicturePath(nv::platform::assetsDir()));
  nv::app::ProgramServices services;
  services.settings = &settings;
  for (const QString& argument : QApplication::arguments().mid(1)) services.arguments.push_back(argument.toStdString());
  services.registerFileType = nv::app::RegisterScoreFileType;
  services.loadMusicFont = nv::app::LoadMusicFont;
  services.libraryFolder = nv::app::ProgramLibraryFolder();
  // "Last news": the news page of the interface language, over the window.
  services.news = [&settings](QWidget* parent) {
    return nv::dialogs::ShowLastNews(nv::platform::assetsDir(), nv::widgets::TECLanguage::Current()->Language(),
                                     &settings.Ini(), nv::widgets::DesktopUrlOpener(), parent) != nullptr;
  };
  nv::app::TFProgramModule window(std::move(services));
  window.show();
  // The splash may close now: on the user's key or click, or by the main timer.
  nv::dialogs::CloseSplash();
  // A score opened from the command line is what the user came for.
  if (!window.Documents().empty())
    if (nv::dialogs::TFLogoModule* splash = nv::dialogs::TFLogoModule::Current()) splash->close();
  window.ShowStartDialog();
  return QApplication::exec();
}
