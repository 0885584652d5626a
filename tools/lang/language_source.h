#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/language_writer.h"

namespace nv::lang {

// A refusal of a source, naming the file and the line.
class SourceError : public std::runtime_error {
 public:
  SourceError(std::string file, int line, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message), file_(std::move(file)), line_(line) {}
  const std::string& file() const { return file_; }
  int line() const { return line_; }

 private:
  std::string file_;
  int line_;
};

// A form of a source with the lines its parts were written on.
struct SourceForm {
  platform::LanguageForm form;
  int line = 0;
  std::vector<int> entryLines;
  std::vector<int> textLines;  // by number
};

struct LanguageSource {
  std::string file;
  std::vector<SourceForm> forms;  // in source order
};

// Parses a language source:
//   // a comment
//   [FormKey]
//   CBNote4.toolTip = "1/4 Note (Enter+3)"        a text
//   LBItems.items = ["One", "Two"]                a list ([] empties it)
//   MMessage.font = font("Arial", 204, 10)        face, character set, points
//   #25 = "Save changes to %s?"                   numbered text 25
// Texts are UTF-8 in double quotes with the escapes \" \\ \n \t and \xHH.
// Refuses a text over 1024 bytes, a form over 1024 entries, a gap or a
// duplicate among the numbered texts, a duplicate form key or path.
LanguageSource ParseLanguageSource(const std::string& file, std::string_view text);

// Refuses a form key, path or text number that one source has and the other
// lacks, naming the file and line where it stands.
void CheckSameShape(const LanguageSource& reference, const LanguageSource& other);

// The image of a source; a tree link that does not fit is refused at the
// line of the form below it.
std::vector<std::uint8_t> CompileLanguageSource(const LanguageSource& source);

// The stable text form of a language file: its header as a comment, then
// each form in byte order of the keys with its entries in order and its
// numbered texts. `onlyForm` and `onlyText` keep one form, one text.
std::string PrintLanguage(const platform::LanguageFileHeader& header,
                          const std::vector<platform::LanguageForm>& forms, std::string_view onlyForm = {},
                          int onlyText = -1);

// The forms stored in an image, as the reader sees them.
std::vector<platform::LanguageForm> ReadForms(const platform::LanguageImage& image);

}  // namespace nv::lang
