#pragma once

#include <QLabel>

#include <filesystem>
#include <functional>

#include "dialogs/dialog_frame.h"
#include "dialogs/logic/tutorial_player.h"

class QPushButton;

namespace nv::dialogs {

// The tutorial: a sizeable window whose panel PTutorial shows the video.
// Without a player, or with a video that is missing or cannot be opened,
// the panel says so and offers the references instead, never a black
// window. Closing stops the player.
class TFTutorialModule : public DialogFrame {
  Q_OBJECT
 public:
  // `player` may be none (the program plays no videos); `openReferences`
  // is what the panel's button does.
  TFTutorialModule(TutorialPlayer* player, std::function<void()> openReferences, QWidget* parent = nullptr);
  ~TFTutorialModule() override;

  // Sets the file, the display rectangle (the panel's bounds), opens and
  // plays; without a player or when it cannot open the file, the panel's
  // text shows. True when the video plays.
  bool PlayTutorial(const std::filesystem::path& file);

  QWidget& Panel() const { return *PTutorial; }
  // The text shown without a video, and its button.
  QLabel& Message() const { return *message_; }
  QPushButton& ReferencesButton() const { return *references_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;

 private:
  void ShowMessage(bool noPlayer);
  nv::platform::Rect PanelRect() const;

  TutorialPlayer* player_;
  bool playing_ = false;
  QWidget* PTutorial;
  QLabel* message_;
  QPushButton* references_;
};

}  // namespace nv::dialogs
