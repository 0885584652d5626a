#pragma once

#include <QWidget>

#include <filesystem>
#include <string>

#include "widgets/help_opener.h"

class QTextBrowser;

namespace nv::platform {
class IniFile;
}
namespace nv::widgets {
class TECFormLanguage;
}

namespace nv::dialogs {

// A window on top of the others that shows the program's own HTML pages:
// links to its other pages and pictures open inside it, http, https and
// mailto links go to the desktop, and nothing is fetched from a network.
// Its caption carries close and, left of it, forward and back through the
// pages shown. It keeps its bounds in its section of the settings.
class PageBrowserWindow : public QWidget {
  Q_OBJECT
 public:
  PageBrowserWindow(const QString& formName, const QString& caption, std::string section, QSize designedSize,
                    nv::platform::IniFile* settings, nv::widgets::UrlOpener opener, QWidget* parent);
  ~PageBrowserWindow() override;

  QTextBrowser& Browser() const { return *browser_; }
  // Shows a local page; false when it is not there.
  bool ShowPage(const std::filesystem::path& page);
  // A link of the page shown, as a click on it.
  void FollowLink(const QUrl& link);
  void Forward();
  void Backward();

 protected:
  nv::widgets::TECFormLanguage& Language() const { return *language_; }

 private:
  std::string section_;
  nv::platform::IniFile* settings_;
  nv::widgets::UrlOpener opener_;
  QTextBrowser* browser_;
  nv::widgets::TECFormLanguage* language_;
};

// The quick reference in the interface language (English where the language
// has none); when no reference page is installed at all, it says so.
class TFReferenceModule : public PageBrowserWindow {
  Q_OBJECT
 public:
  TFReferenceModule(const std::filesystem::path& dataDir, const QString& language, nv::platform::IniFile* settings,
                    nv::widgets::UrlOpener opener, QWidget* parent = nullptr);
  // False when the window shows its "not installed" text.
  bool HasPage() const { return hasPage_; }

 private:
  bool hasPage_ = false;
};

// What is new in this version. It closes as soon as it is deactivated (a
// click outside it) and frees itself when closed.
class TFNewsModule : public PageBrowserWindow {
  Q_OBJECT
 public:
  TFNewsModule(const std::filesystem::path& dataDir, const QString& language, nv::platform::IniFile* settings,
               nv::widgets::UrlOpener opener, QWidget* parent = nullptr);
  // Shows the language's news page; false, showing nothing, without one.
  bool LoadNews();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  std::filesystem::path dataDir_;
  QString languageCode_;
  bool wasActive_ = false;
};

// "Last news": the news window of the language, shown; none when the
// language has no news page.
TFNewsModule* ShowLastNews(const std::filesystem::path& dataDir, const QString& language,
                           nv::platform::IniFile* settings, nv::widgets::UrlOpener opener, QWidget* parent = nullptr);

}  // namespace nv::dialogs
