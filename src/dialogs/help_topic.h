#pragma once

#include <QString>

#include <functional>

namespace nv::dialogs {

// Opens the help page of a topic in the interface language. The main window
// installs the opener; until one is installed a request does nothing.
using HelpTopicOpener = std::function<void(const QString& topic)>;
void InstallHelpTopicOpener(HelpTopicOpener opener);
void ShowHelpTopic(const QString& topic);

}  // namespace nv::dialogs
