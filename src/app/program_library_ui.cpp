#include "app/program_library_ui.h"

#include <QFileDialog>

#include "platform/file_filter.h"
#include "platform/form_texts.h"
#include "platform/format_text.h"
#include "platform/message_prompt.h"
#include "widgets/language.h"
#include "widgets/message_block.h"

namespace nv::app {
namespace {

namespace nk = nv::platform::form_key;
using nv::library::LibraryKind;

// The main window's numbered texts of the libraries.
constexpr int kImportCaptionText = 9;
constexpr int kUnreadableChordText = 10;
constexpr int kMissingFileText = 11;
constexpr int kReplaceChordText = 12;
constexpr int kUnreadableSymbolText = 17;
constexpr int kReplaceSymbolText = 18;
constexpr int kChordFilterText = 19;
constexpr int kSymbolFilterText = 20;
constexpr int kErrorCaptionText = 21;

std::string Text(int n) { return nv::widgets::LanguageTexts().GetString(nk::kMainWindow, n); }

std::string TextWith(int n, const std::string& argument) { return nv::platform::FormatText(Text(n), argument); }

void Warn(const std::string& text) {
  nv::widgets::CurrentMessagePrompt().ShowMessageBlock(Text(kErrorCaptionText), text,
                                                       nv::platform::message_kind::kWarning,
                                                       nv::platform::message_button::kOk);
}

const char* LibraryName(LibraryKind kind) {
  switch (kind) {
    case LibraryKind::Chords:
      return "chord";
    case LibraryKind::Symbols:
      return "symbol";
    case LibraryKind::Drums:
      return "drum-style";
    case LibraryKind::Terms:
      return "term";
  }
  return "";
}

}  // namespace

std::vector<std::string> ProgramLibraryUi::ChooseTemplateFiles(LibraryKind kind) {
  QStringList filters;
  for (const std::string& name :
       nv::platform::NameFilters(Text(kind == LibraryKind::Symbols ? kSymbolFilterText : kChordFilterText)))
    filters << QString::fromStdString(name);
  const QStringList files = QFileDialog::getOpenFileNames(
      parent_, QString::fromStdString(Text(kImportCaptionText)), QString(), filters.join(QStringLiteral(";;")));
  std::vector<std::string> paths;
  for (const QString& file : files) paths.push_back(file.toStdString());
  return paths;
}

void ProgramLibraryUi::ReportMissingFile(const std::string& path) { Warn(TextWith(kMissingFileText, path)); }

void ProgramLibraryUi::ReportUnreadableTemplate(LibraryKind kind, const std::string& path,
                                                const std::string& reason) {
  Warn(TextWith(kind == LibraryKind::Symbols ? kUnreadableSymbolText : kUnreadableChordText, path) + "\n" + reason);
}

bool ProgramLibraryUi::AskReplaceTemplate(LibraryKind kind, const std::string& name) {
  const int answer = nv::widgets::CurrentMessagePrompt().ShowMessageBlock(
      Text(kImportCaptionText), TextWith(kind == LibraryKind::Symbols ? kReplaceSymbolText : kReplaceChordText, name),
      nv::platform::message_kind::kQuestion, nv::platform::message_button::kYes | nv::platform::message_button::kNo);
  return answer == nv::platform::message_result::kYes;
}

void ProgramLibraryUi::ReportDroppedTemplates(LibraryKind kind, const std::vector<std::string>& problems) {
  std::string text = std::string("These ") + LibraryName(kind) + " templates could not be read and are left out:";
  for (const std::string& problem : problems) text += "\n" + problem;
  Warn(text);
}

void ProgramLibraryUi::ReportDuplicateTerms(const std::vector<std::string>& names) {
  std::string text = "These terms have the name of a term before them and are not used:";
  for (const std::string& name : names) text += "\n" + name;
  Warn(text);
}

void ProgramLibraryUi::ReportError(const std::string& message) { Warn(message); }

void ProgramLibraryUi::PaletteChanged(LibraryKind kind) {
  if (onPaletteChanged) onPaletteChanged(kind);
}

}  // namespace nv::app
