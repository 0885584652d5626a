#include "dialogs/about_windows.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <QVBoxLayout>

#include "widgets/language.h"

namespace nv::dialogs {

namespace {

QImage LoadPicture(const std::filesystem::path& picture) {
  // A file that is missing, cut short or no picture leaves it empty.
  return QImage(QString::fromStdString(picture.string()));
}

void Centre(QWidget& window) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area = window.geometry();
    area.moveCenter(screen->availableGeometry().center());
    window.move(area.topLeft());
  }
}

TFLogoModule* theSplash = nullptr;

}  // namespace

TFormAbout::TFormAbout(const std::filesystem::path& picture, AboutContacts contacts, nv::widgets::UrlOpener opener,
                       QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      picture_(LoadPicture(picture)),
      opener_(std::move(opener)) {
  setObjectName(QStringLiteral("FormAbout"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  language_ = new nv::widgets::TECFormLanguage(this);
  language_->SetFormName(QStringLiteral("FormAbout"));
  language_->Translate();

  // The credits below the picture's staff.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(30, 206, 30, 12);
  layout->setSpacing(4);
  auto text = [&](const QString& line, const char* name, bool small = false) {
    auto* label = new QLabel(line, this);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    if (small) label->setStyleSheet(QStringLiteral("color: #606880; font-size: 11px;"));
    layout->addWidget(label);
    return label;
  };
  // The picture names the program and its version.
  text(language_->GetString(0), "LCopyright");
  text(language_->GetString(1), "LFont", true);
  text(language_->GetString(2), "LLibraries", true);
  auto contact = [&](const QString& address, const char* name) {
    QLabel* label = text(address, name);
    label->setCursor(Qt::PointingHandCursor);
    label->setStyleSheet(QStringLiteral("color: #1a3fa0; text-decoration: underline;"));
    label->setVisible(!address.isEmpty());
    return label;
  };
  mail_ = contact(contacts.mail, "LMail");
  web_ = contact(contacts.web, "LWeb");
  layout->addStretch(1);
  text(language_->GetString(3), "LHint", true)->setAlignment(Qt::AlignRight);
  Centre(*this);
}

void TFormAbout::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  activateWindow();
  setFocus();
  grabMouse();
}

void TFormAbout::hideEvent(QHideEvent* event) {
  releaseMouse();
  QWidget::hideEvent(event);
}

void TFormAbout::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull())
    painter.fillRect(rect(), palette().window());
  else
    painter.drawImage(0, 0, picture_);
}

void TFormAbout::mousePressEvent(QMouseEvent* event) {
  // The window holds the mouse, so a press on a label arrives here.
  const QPoint at = event->position().toPoint();
  for (const QLabel* label : {mail_, web_}) {
    if (label->isVisible() && label->geometry().contains(at)) {
      Contact(*label);
      return;
    }
  }
  close();
}

void TFormAbout::keyPressEvent(QKeyEvent*) { close(); }

void TFormAbout::Contact(const QLabel& label) {
  const QString address = label.text();
  auto opener = opener_;
  close();
  if (opener) opener(QUrl(QStringLiteral("mailto:") + address));
}

TFLogoModule::TFLogoModule(const std::filesystem::path& picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(LoadPicture(picture)) {
  setObjectName(QStringLiteral("FLogoModule"));
  setAttribute(Qt::WA_DeleteOnClose);
  // The picture covers the whole window: nothing is erased beneath it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  if (HasPicture()) setFixedSize(picture_.size());
  Centre(*this);
  theSplash = this;
}

TFLogoModule::~TFLogoModule() {
  if (theSplash == this) theSplash = nullptr;
}

TFLogoModule* TFLogoModule::Current() { return theSplash; }

void TFLogoModule::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void TFLogoModule::CloseWhenDone() {
  if (done_) close();
}

void TFLogoModule::keyPressEvent(QKeyEvent*) { CloseWhenDone(); }

void TFLogoModule::mousePressEvent(QMouseEvent*) { CloseWhenDone(); }

void TFLogoModule::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  CloseWhenDone();
}

void TFLogoModule::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) CloseWhenDone();
}

TFLogoModule* ShowSplash(const std::filesystem::path& picture) {
  auto* splash = new TFLogoModule(picture);
  if (!splash->HasPicture()) {
    delete splash;
    return nullptr;
  }
  splash->show();
  QApplication::processEvents();
  return splash;
}

void CloseSplash() {
  if (TFLogoModule* splash = TFLogoModule::Current()) {
    splash->SetDone();
    splash->raise();
    splash->show();
  }
}

}  // namespace nv::dialogs
