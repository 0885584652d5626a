#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/form_texts.h"
#include "platform/language_image.h"

namespace nv::widgets {

class TECFormLanguage;

class ECLanguageException : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The program's interface language: the current code, the language file's
// image, and the windows (their TECFormLanguage) that a change of language
// retranslates. One per program, on the main window; the first one made is
// the current one. Until a language file loads, the English texts compiled
// into the program are in force.
class TECLanguage : public QObject, public platform::FormTexts {
  Q_OBJECT
 public:
  explicit TECLanguage(QObject* owner);
  ~TECLanguage() override;

  static TECLanguage* Current();

  // The stored code; when no file is loaded yet, reads the file afterwards
  // (storing "ENU" when the code is empty). So the first read of an empty
  // code gives "" and later reads "ENU".
  QString Language();
  // Nothing when the code equals the stored one without regard to case;
  // else stores it, applies it and fires OnLanguageChange.
  void SetLanguage(const QString& code);
  // Stores the code, loads its file and retranslates every registered window
  // in registration order.
  void ApplyLanguage(const QString& code);
  // Reads the file of the current code. A missing file, a format byte other
  // than 16 or a damaged file leaves the texts in force (the last two with one
  // warning naming the file and the first bad offset). True when it loaded.
  bool LoadLanguageFile();
  bool IsLoaded() const { return loaded_.has_value(); }
  // How the last load ended, so that the window that changed the language can
  // tell the user of a file that is there but cannot be used (its main-window
  // text 23); a missing file is no error.
  enum class LoadResult { None, Loaded, Missing, Refused };
  LoadResult LastLoad() const { return lastLoad_; }

  bool AutoLoad() const { return autoLoad_; }
  void SetAutoLoad(bool on) { autoLoad_ = on; }

  // The record of a form key in the texts in force.
  std::optional<std::uint32_t> FindForm(std::string_view key) const;
  // The loaded image, or the built-in one.
  const platform::LanguageImage& Image() const;

  void RegisterForm(QObject* component);
  void UnregisterForm(QObject* component);

  std::string GetString(std::string_view formKey, int n) const override;

  // The file of a code: folder / (executable name without extension + "." +
  // code + ".lrf"). By default the program's data folder and executable.
  void SetFileLocation(std::filesystem::path folder, std::string executableName);
  std::filesystem::path LanguageFilePath(const QString& code) const;

  // Where load warnings go (default: qWarning).
  static void SetWarningSink(std::function<void(const std::string&)> sink);

 Q_SIGNALS:
  void OnLanguageChange(QObject* sender);

 private:
  QString language_;
  bool autoLoad_ = false;
  LoadResult lastLoad_ = LoadResult::None;
  std::optional<platform::LanguageImage> loaded_;
  std::vector<TECFormLanguage*> forms_;  // in registration order; document windows share a key
  std::filesystem::path folder_;
  std::string executableName_;
};

// The language component of one window: registers the window with the
// current TECLanguage, applies the window's record of the language file in
// Translate() (which each window calls at the end of its constructor and the
// TECLanguage calls on a change of language), and hands out the window's
// numbered texts.
class TECFormLanguage : public QObject {
  Q_OBJECT
 public:
  // The owner is the window whose objects the paths name; raises
  // ECLanguageException "Owner is not defined or wrong" without one.
  explicit TECFormLanguage(QObject* owner);
  ~TECFormLanguage() override;

  QObject* Owner() const { return owner_; }
  QString Language() const { return language_; }
  // Stores a code that differs without regard to case and retranslates.
  void SetLanguage(const QString& code);
  // Stores only.
  void SetExLanguage(const QString& code) { language_ = code; }
  QString FormName() const { return formName_; }
  void SetFormName(const QString& name) { formName_ = name; }
  // FormName when set, else the owner's objectName.
  std::string FormKey() const;

  void Translate();
  // Numbered text n of the window's record; "" without one or for n outside it.
  QString GetString(int n) const;

 private:
  QObject* owner_;
  QString language_ = QStringLiteral("ENU");
  QString formName_;
};

// The numbered texts in force: the current TECLanguage's, or the built-in
// English ones when there is none.
const platform::FormTexts& LanguageTexts();

}  // namespace nv::widgets
