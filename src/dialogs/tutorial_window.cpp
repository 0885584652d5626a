#include "dialogs/tutorial_window.h"

#include <QEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/language.h"

namespace nv::dialogs {

TFTutorialModule::TFTutorialModule(TutorialPlayer* player, std::function<void()> openReferences, QWidget* parent)
    : DialogFrame({QStringLiteral("FTutorialModule"), {520, 400}, "", BoundsMode::None, {}, 0}, nullptr, parent),
      player_(player),
      PTutorial(new QWidget(this)),
      message_(new QLabel(PTutorial)),
      references_(new QPushButton(QStringLiteral("Open the references"), PTutorial)) {
  setWindowTitle(QStringLiteral("Tutorial"));
  setWindowFlag(Qt::Tool);
  setSizeGripEnabled(true);
  PTutorial->setObjectName(QStringLiteral("PTutorial"));
  message_->setObjectName(QStringLiteral("LMessage"));
  message_->setWordWrap(true);
  message_->setAlignment(Qt::AlignCenter);
  references_->setObjectName(QStringLiteral("BReferences"));
  connect(references_, &QPushButton::clicked, this, [openReferences = std::move(openReferences)] {
    if (openReferences) openReferences();
  });
  auto* panelLayout = new QVBoxLayout(PTutorial);
  panelLayout->addStretch(1);
  panelLayout->addWidget(message_);
  panelLayout->addWidget(references_, 0, Qt::AlignHCenter);
  panelLayout->addStretch(1);
  message_->hide();
  references_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(PTutorial);
  PTutorial->installEventFilter(this);
  Translate();
}

TFTutorialModule::~TFTutorialModule() {
  if (playing_ && player_) player_->Stop();
}

nv::platform::Rect TFTutorialModule::PanelRect() const {
  const QRect r = PTutorial->geometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool TFTutorialModule::PlayTutorial(const std::filesystem::path& file) {
  if (player_ == nullptr) {
    ShowMessage(true);
    return false;
  }
  player_->SetFileName(file.string());
  player_->SetDisplayRect(PanelRect());
  if (!player_->Open()) {
    ShowMessage(false);
    return false;
  }
  player_->Play();
  playing_ = true;
  message_->hide();
  references_->hide();
  return true;
}

void TFTutorialModule::ShowMessage(bool noPlayer) {
  QString text = Language()->GetString(0);
  if (noPlayer) text += QStringLiteral("\n\n") + Language()->GetString(1);
  message_->setText(text);
  message_->show();
  references_->show();
}

bool TFTutorialModule::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PTutorial && event->type() == QEvent::Resize && playing_) player_->SetDisplayRect(PanelRect());
  return DialogFrame::eventFilter(watched, event);
}

void TFTutorialModule::done(int result) {
  if (playing_) {
    player_->Stop();
    playing_ = false;
  }
  DialogFrame::done(result);
}

}  // namespace nv::dialogs
