// Writes pictures of the information windows (the references in English and
// Russian, the news, the about window, the splash, the tutorial without a
// video) and of the first-start dialog in English and Russian into the
// folder named on the command line, at their size and at twice it, for
// looking at by eye: information_shots FOLDER
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QDir>

#include "dialogs/about_windows.h"
#include "dialogs/page_windows.h"
#include "dialogs/start_dialog.h"
#include "dialogs/tutorial_window.h"
#include "document/information_pages.h"
#include "platform/asset_paths.h"
#include "support/save_shot.h"
#include "widgets/language.h"

namespace {

// The first start's changes: the language only; every device works.
class LanguageHost : public nv::dialogs::StartHost {
 public:
  explicit LanguageHost(nv::widgets::TECLanguage& language) : language_(language) {}
  std::string SelectInput(int) override { return {}; }
  std::string SelectOutput(int) override { return "the device is busy"; }
  void SetLanguage(const QString& code) override { language_.SetLanguage(code); }

 private:
  nv::widgets::TECLanguage& language_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) return 2;
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  const std::filesystem::path data = nv::platform::assetsDir();
  using namespace nv::dialogs;
  nv::widgets::TECLanguage language(&app);
  language.SetFileLocation(data, "notavistra");
  language.SetLanguage("ENU");
  for (const char* code : {"ENU", "RUS"}) {
    TFReferenceModule references(data, code, nullptr, {});
    Save(references, folder, QStringLiteral("references_%1").arg(code));
  }
  {
    TFNewsModule news(data, "ENU", nullptr, {});
    news.LoadNews();
    Save(news, folder, "news");
  }
  {
    TFormAbout about(nv::document::aboutPicturePath(data), {}, {});
    Save(about.grab(), folder, "about");
    TFLogoModule splash(nv::document::aboutPicturePath(data));
    Save(splash.grab(), folder, "splash");
  }
  {
    TFTutorialModule tutorial(nullptr, {});
    tutorial.PlayTutorial(nv::document::tutorialPath(data));
    Save(tutorial, folder, "tutorial");
  }
  {
    LanguageHost host(language);
    nv::document::ProgramOptions devices;
    devices.OutputNames = {"Built-in synthesizer", "Midi Through Port-0"};
    devices.InputNames = {"Midi Through Port-0"};
    devices.Output = 0;
    devices.Input = 0;
    TFStartModule start(devices, "ENU", host);
    Save(start, folder, "start_ENU");
    start.Russian().click();
    start.OutputList().setCurrentIndex(1);
    Q_EMIT start.OutputList().activated(1);
    Save(start, folder, "start_RUS");
  }
  return 0;
}
