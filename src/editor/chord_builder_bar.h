#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>
#include <string>

#include "widgets/command_buttons.h"

namespace nv::document {
class CommandRegistry;
}

namespace nv::library {
struct ChordBuilder;
}

namespace nv::widgets {
class TECCharButton;
}

namespace nv::dialogs {
class ChoicePalette;
}

namespace nv::editor {

// The chords page's chord-symbol builder: character buttons that describe
// one chord. Every change stores the state in the builder and inserts the
// chord through the registry (nothing without a document); a chooser's
// choice does the same without pressing its toggle button.
class ChordBuilderBar : public QWidget {
  Q_OBJECT
 public:
  ChordBuilderBar(nv::library::ChordBuilder& builder, nv::document::CommandRegistry& registry,
                  QWidget* parent = nullptr);

  // Captions, down states and the mode's visibility from the builder.
  void ShowState();

  nv::widgets::TECCharButton* Button(const std::string& name) const;
  // The chooser open now (the last opened while it lives); null with none.
  nv::dialogs::ChoicePalette* OpenChooser() const;

 private:
  nv::widgets::TECCharButton* Add(const std::string& name, const QString& caption, const QString& hint, int x, int y,
                                  int width, bool dropDown = false);
  // The builder changed by a click: show it and insert the chord.
  void Changed();
  void OpenChooserFor(const std::string& name);
  void ShowChooser(nv::dialogs::ChoicePalette* chooser, const std::string& under, int current,
                   std::function<void(int)> chosen);

  nv::library::ChordBuilder& builder_;
  nv::document::CommandRegistry& registry_;
  // "Save chord" and "Chord list".
  nv::widgets::CommandButtons commands_{registry_};
  std::map<std::string, nv::widgets::TECCharButton*> buttons_;
  QPointer<nv::dialogs::ChoicePalette> chooser_;
};

}  // namespace nv::editor
