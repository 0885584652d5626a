#include "document/help_pages.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <span>
#include <system_error>

#include "platform/atomic_file.h"

namespace nv::document {

namespace {

namespace fs = std::filesystem;

}  // namespace

std::string_view HelpLanguageFolder(std::string_view language) {
  auto is = [language](std::string_view code) {
    return std::ranges::equal(language, code, [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
  };
  if (is("ENU")) return "English";
  if (is("RUS")) return "Russian";
  if (is("DEU")) return "Deutsch";
  return {};
}

std::string ContextHelpPageText(std::string_view topic) {
  std::string text = "<HTML><SCRIPT LANGUAGE=\"JavaScript\">";
  text += "function PageActivate() { window.open(\"";
  text += topic;
  text += ".htm";
  text += "\", \"Help_right\");}";
  text += "</SCRIPT><BODY OnLoad=\"PageActivate();\"></BODY></HTML>";
  return text;
}

bool WriteContextHelpPage(const fs::path& fileName, std::string_view topic) {
  const std::string text = ContextHelpPageText(topic);
  try {
    platform::ReplaceFileAtomically(fileName.string(),
                                    std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return true;
  } catch (const platform::FileReplaceError&) {
    return false;
  }
}

fs::path HelpFolder(const fs::path& helpRoot, std::string_view language) {
  const std::string_view name = HelpLanguageFolder(language);
  std::error_code error;
  if (!name.empty() && fs::is_regular_file(helpRoot / name / kHelpStartPage, error)) return helpRoot / name;
  return helpRoot / "English";
}

void ShowHelpTopic(const fs::path& helpRoot, std::string_view language, std::string_view topic,
                   HelpPageOpener& opener) {
  const fs::path folder = HelpFolder(helpRoot, language);
  if (WriteContextHelpPage(folder / kContextHelpPage, topic))
    opener.OpenPage(folder / kHelpStartPage);
  else
    opener.OpenPage(folder / (std::string(topic) + ".htm"));
}

void OpenHelpContents(const fs::path& helpRoot, std::string_view language, HelpPageOpener& opener) {
  ShowHelpTopic(helpRoot, language, help_topic::kIntroduction, opener);
}

}  // namespace nv::document
