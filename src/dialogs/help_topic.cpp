#include "dialogs/help_topic.h"

#include <utility>

namespace nv::dialogs {
namespace {

HelpTopicOpener& Opener() {
  static HelpTopicOpener opener;
  return opener;
}

}  // namespace

void InstallHelpTopicOpener(HelpTopicOpener opener) { Opener() = std::move(opener); }

void ShowHelpTopic(const QString& topic) {
  if (Opener()) Opener()(topic);
}

}  // namespace nv::dialogs
