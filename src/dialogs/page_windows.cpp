#include "dialogs/page_windows.h"

#include <QEvent>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "dialogs/logic/information_rules.h"
#include "dialogs/window_bounds.h"
#include "document/information_pages.h"
#include "widgets/form_design.h"
#include "widgets/form_designer.h"
#include "widgets/language.h"

namespace nv::dialogs {

namespace {

QUrl PageUrl(const std::filesystem::path& page) { return QUrl::fromLocalFile(QString::fromStdString(page.string())); }

}  // namespace

PageBrowserWindow::PageBrowserWindow(const QString& formName, const QString& caption, std::string section,
                                     QSize designedSize,
                                     nv::platform::IniFile* settings, nv::widgets::UrlOpener opener, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      section_(std::move(section)),
      settings_(settings),
      opener_(std::move(opener)),
      browser_(new QTextBrowser(this)) {
  setObjectName(formName);
  setWindowTitle(caption);
  setAttribute(Qt::WA_DeleteOnClose);
  resize(designedSize);
  browser_->setObjectName(QStringLiteral("WBPage"));
  // Every link comes to FollowLink; the browser itself opens none.
  browser_->setOpenLinks(false);
  browser_->setOpenExternalLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, &PageBrowserWindow::FollowLink);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  nv::widgets::TECFormDesigner* designer = nv::widgets::ApplyFormDesign(this, nv::widgets::kDialogDesign);
  nv::widgets::SetCaptionButtons(*designer, nv::widgets::kDialogDesign,
                                 {{"button_forward", [this] { Forward(); }}, {"button_back", [this] { Backward(); }}});
  language_ = new nv::widgets::TECFormLanguage(this);
  language_->SetFormName(formName);
  language_->Translate();
  RestoreWindowBounds(*this, settings_, section_, BoundsMode::PositionSize);
}

PageBrowserWindow::~PageBrowserWindow() { StoreWindowBounds(*this, settings_, section_); }

bool PageBrowserWindow::ShowPage(const std::filesystem::path& page) {
  if (!QFileInfo(QString::fromStdString(page.string())).isFile()) return false;
  browser_->setSource(PageUrl(page));
  return true;
}

void PageBrowserWindow::FollowLink(const QUrl& link) {
  const QUrl target = browser_->source().resolved(link);
  switch (RouteOfLink(target.scheme().toStdString())) {
    case LinkRoute::Desktop:
      if (opener_) opener_(target);
      break;
    case LinkRoute::Inside: {
      QUrl page = target;
      page.setFragment({});
      // A page of the program's that is not there leaves the one shown.
      if (QFileInfo(page.toLocalFile()).isFile()) browser_->setSource(target);
      break;
    }
    case LinkRoute::Ignored:
      break;
  }
}

void PageBrowserWindow::Forward() { browser_->forward(); }

void PageBrowserWindow::Backward() { browser_->backward(); }

TFReferenceModule::TFReferenceModule(const std::filesystem::path& dataDir, const QString& language,
                                     nv::platform::IniFile* settings, nv::widgets::UrlOpener opener, QWidget* parent)
    : PageBrowserWindow(QStringLiteral("FReferenceModule"), QStringLiteral("References"), "ReferenceModule", {620, 520}, settings, std::move(opener),
                        parent) {
  hasPage_ = ShowPage(nv::document::referencePath(dataDir, language.toStdString()));
  if (!hasPage_) Browser().setPlainText(Language().GetString(0));
}

TFNewsModule::TFNewsModule(const std::filesystem::path& dataDir, const QString& language,
                           nv::platform::IniFile* settings, nv::widgets::UrlOpener opener, QWidget* parent)
    : PageBrowserWindow(QStringLiteral("FNewsModule"), QStringLiteral(" Last news "), "NewsModule", {520, 420}, settings, std::move(opener), parent),
      dataDir_(dataDir),
      languageCode_(language) {}

bool TFNewsModule::LoadNews() {
  const auto page = nv::document::newsPath(dataDir_, languageCode_.toStdString());
  return page && ShowPage(*page);
}

void TFNewsModule::changeEvent(QEvent* event) {
  PageBrowserWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow())
    wasActive_ = true;
  else if (wasActive_)
    close();
}

TFNewsModule* ShowLastNews(const std::filesystem::path& dataDir, const QString& language,
                           nv::platform::IniFile* settings, nv::widgets::UrlOpener opener, QWidget* parent) {
  auto* window = new TFNewsModule(dataDir, language, settings, std::move(opener), parent);
  if (!window->LoadNews()) {
    delete window;
    return nullptr;
  }
  window->show();
  window->activateWindow();
  return window;
}

}  // namespace nv::dialogs
