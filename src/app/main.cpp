#include <QApplication>

#include <cstdio>

#include "app/main_window.h"
#include "app/process_services.h"
#include "app/startup_services.h"
#include "platform/qt/display_check.h"
#include "widgets/message_block.h"

int main(int argc, char** argv) {
  if (const auto reason = nv::platform::missingDisplayReason(); !reason.empty()) {
    std::fprintf(stderr, "notavistra: cannot start, %s\n", reason.c_str());
    return 2;
  }
  QApplication app(argc, argv);
  nv::app::InstallProcessServices();
  QApplication::setApplicationName("Notavistra");
  nv::app::RegisterScoreFileType();
  nv::app::LoadMusicFont();
  nv::app::MainWindow window;
  // A score file named on the command line; without one an empty score.
  const QStringList arguments = QApplication::arguments();
  const QString error = arguments.size() > 1 ? window.OpenScore(arguments.at(1)) : QString();
  window.show();
  if (!error.isEmpty()) nv::widgets::ShowErrorMessage(error.toStdString());
  return QApplication::exec();
}
