#include "app/score_page.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QVBoxLayout>

#include <exception>

#include "platform/form_texts.h"
#include "platform/format_text.h"
#include "platform/message_prompt.h"
#include "widgets/language.h"
#include "widgets/message_block.h"
#include "widgets/score_control.h"

namespace nv::app {

namespace {

namespace nk = nv::platform::form_key;
namespace nb = nv::platform::message_button;
namespace nr = nv::platform::message_result;

// The document window's texts: the close question's caption and text.
constexpr int kCloseCaptionText = 26;
constexpr int kCloseQuestionText = 25;

}  // namespace

ScorePage::ScorePage(SavePathChooser chooseSavePath, QWidget* parent)
    : QWidget(parent),
      document_(std::make_unique<nv::document::ScoreDocument>()),
      score_(new nv::widgets::ScoreControl(*document_, this)),
      chooseSavePath_(std::move(chooseSavePath)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(score_);
  setFocusProxy(score_);
  ShowCaption();
}

ScorePage::~ScorePage() {
  // The view goes before the document it shows.
  delete score_;
}

std::string ScorePage::LoadFile(const std::string& path) {
  try {
    document_->Load(path);
  } catch (const std::exception& error) {
    return error.what();
  }
  ShowCaption();
  return {};
}

bool ScorePage::Save() {
  try {
    if (document_->Path().empty()) {
      const std::string path = chooseSavePath_();
      if (path.empty()) return false;
      document_->SaveAs(path);
      ShowCaption();
    } else {
      document_->Save();
    }
  } catch (const std::exception& error) {
    nv::widgets::ShowErrorMessage(error.what());
  }
  return !document_->Modified();
}

bool ScorePage::QuerySave() {
  if (!document_->Modified()) return true;
  const auto& texts = nv::widgets::LanguageTexts();
  const int answer =
      nv::widgets::ShowMessageBlock(QString::fromStdString(texts.GetString(nk::kDocumentWindow, kCloseCaptionText)),
                                    QString::fromStdString(nv::platform::FormatText(
                                        texts.GetString(nk::kDocumentWindow, kCloseQuestionText), document_->Path())),
                                    nv::platform::message_kind::kQuestion, nb::kYes | nb::kNo | nb::kCancel);
  if (answer == nr::kYes) return Save();
  return answer == nr::kNo;
}

void ScorePage::ShowCaption() {
  setWindowTitle(document_->Path().empty() ? QStringLiteral("Untitled")
                                           : QFileInfo(QString::fromStdString(document_->Path())).completeBaseName());
}

std::string AskSavePath(QWidget* parent) {
  return QFileDialog::getSaveFileName(parent, QString(), QString(), QStringLiteral("Scores (*.sfd)")).toStdString();
}

}  // namespace nv::app
