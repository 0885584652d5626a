#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace nv::document {

// Opens a page in the system's web browser; the program's opener goes
// through the desktop services, tests record the page.
class HelpPageOpener {
 public:
  virtual ~HelpPageOpener() = default;
  virtual void OpenPage(const std::filesystem::path& page) = 0;
};

inline constexpr char kHelpStartPage[] = "Help.htm";
inline constexpr char kContextHelpPage[] = "ContextHelp.htm";
// The topics the program's windows name, each a page "<topic>.htm" of every
// help folder.
namespace help_topic {
inline constexpr char kIntroduction[] = "Introduction";
inline constexpr char kEntrance[] = "Entrance";  // the main window, F1 there
inline constexpr char kProgSettings[] = "ProgSettings";
inline constexpr char kNewInstrument[] = "NewInstrument";
inline constexpr char kCompositionProp[] = "CompositionProp";
inline constexpr char kGraceNoteProp[] = "GraceNoteProp";
inline constexpr char kTextProp[] = "TextProp";
inline constexpr const char* kAll[] = {kIntroduction,    kEntrance,      kProgSettings, kNewInstrument,
                                       kCompositionProp, kGraceNoteProp, kTextProp};
}  // namespace help_topic

// The redirect page that makes the start page show `topic` in its frame
// "Help_right": one line, no line break.
std::string ContextHelpPageText(std::string_view topic);

// Creates or overwrites `fileName` with the redirect page for `topic`.
// Returns false when it could not be written; the caller goes on.
bool WriteContextHelpPage(const std::filesystem::path& fileName, std::string_view topic);

// The folder name of an interface language's pages: "ENU" English, "RUS"
// Russian, "DEU" Deutsch (the code's case aside); empty for any other.
std::string_view HelpLanguageFolder(std::string_view language);

// The help folder of an interface language below `helpRoot` ("Help" in the
// data folder): "ENU" English, "RUS" Russian, "DEU" Deutsch; a language
// without a start page there, or another language, takes English.
std::filesystem::path HelpFolder(const std::filesystem::path& helpRoot, std::string_view language);

// Context help: writes the redirect page for `topic` in the language's help
// folder and opens that folder's start page. When the redirect cannot be
// written (a read-only installation), the topic's own page opens instead,
// so the user never sees the previous topic.
void ShowHelpTopic(const std::filesystem::path& helpRoot, std::string_view language, std::string_view topic,
                   HelpPageOpener& opener);

// The help contents: the "Introduction" topic.
void OpenHelpContents(const std::filesystem::path& helpRoot, std::string_view language, HelpPageOpener& opener);

}  // namespace nv::document
