#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "app/process_services.h"
#include "app/program_module.h"
#include "app/startup_services.h"
#include "document/settings_file.h"
#include "platform/qt/display_check.h"
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
  // A splash picture shows here once the program has one.
  nv::app::ProgramServices services;
  services.settings = &settings;
  for (const QString& argument : QApplication::arguments().mid(1)) services.arguments.push_back(argument.toStdString());
  services.registerFileType = nv::app::RegisterScoreFileType;
  services.loadMusicFont = nv::app::LoadMusicFont;
  services.libraryFolder = nv::app::ProgramLibraryFolder();
  nv::app::TFProgramModule window(std::move(services));
  window.show();
  // The first-start dialog shows here while [Tools] StartModule is true, and
  // writes it false, once the program has that dialog.
  return QApplication::exec();
}
