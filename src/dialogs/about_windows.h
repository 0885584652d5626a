#pragma once

#include <QImage>
#include <QWidget>

#include <filesystem>
#include <functional>

#include "widgets/help_opener.h"

class QLabel;

namespace nv::widgets {
class TECFormLanguage;
}

namespace nv::dialogs {

// The project's addresses for the about window's contact labels; a label
// without an address is hidden.
struct AboutContacts {
  QString mail;
  QString web;
};

// The about window: 506 x 342 with no frame, centred, the program's picture
// (its name and version) and its credits. It takes the mouse when shown; any press or
// key closes it. A contact label closes it and then opens "mailto:" with the
// label's caption through the desktop. It frees itself when closed.
class TFormAbout : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kWidth = 506;
  static constexpr int kHeight = 342;

  TFormAbout(const std::filesystem::path& picture, AboutContacts contacts, nv::widgets::UrlOpener opener,
             QWidget* parent = nullptr);

  QLabel* MailLabel() const { return mail_; }
  QLabel* WebLabel() const { return web_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Contact(const QLabel& label);

  QImage picture_;
  nv::widgets::UrlOpener opener_;
  nv::widgets::TECFormLanguage* language_;
  QLabel* mail_;
  QLabel* web_;
};

// The splash: the program's picture with no frame, centred, while the
// program starts. It closes on a key, a press, focus loss or deactivation
// only once the main window has let it (SetDone), and frees itself then.
class TFLogoModule : public QWidget {
  Q_OBJECT
 public:
  explicit TFLogoModule(const std::filesystem::path& picture, QWidget* parent = nullptr);
  ~TFLogoModule() override;

  // The picture decoded: false when the file is missing or is no picture.
  bool HasPicture() const { return !picture_.isNull(); }
  bool Done() const { return done_; }
  // The main window allows it to close now.
  void SetDone() { done_ = true; }

  // The one splash of the program, or none.
  static TFLogoModule* Current();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void CloseWhenDone();

  QImage picture_;
  bool done_ = false;
};

// The program's start: the splash when its picture is there and decodes
// (none otherwise), shown with the events in hand run once.
TFLogoModule* ShowSplash(const std::filesystem::path& picture);
// The main window is shown: the splash may close now, and comes on top once more.
void CloseSplash();

}  // namespace nv::dialogs
