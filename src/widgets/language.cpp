#include "widgets/language.h"

#include <QtGlobal>

#include <algorithm>
#include <fstream>

#include "platform/asset_paths.h"
#include "platform/message_prompt.h"
#include "widgets/builtin_language.h"
#include "widgets/language_property.h"
#include "widgets/message_block.h"

namespace nv::widgets {

namespace {

TECLanguage* g_current = nullptr;

// Form components made while no TECLanguage existed.
std::vector<TECFormLanguage*>& Pending() {
  static std::vector<TECFormLanguage*> pending;
  return pending;
}

std::function<void(const std::string&)>& WarningSink() {
  static std::function<void(const std::string&)> sink = [](const std::string& text) {
    qWarning("%s", text.c_str());
  };
  return sink;
}

const platform::LanguageImage& BuiltinImage() {
  static const platform::LanguageImage image = platform::ParseLanguageFile(BuiltinLanguageFile()).image;
  return image;
}

std::string TextOf(const platform::LanguageImage& image, std::string_view formKey, int n) {
  const auto record = image.FindForm(formKey);
  return record ? image.GetString(*record, n) : std::string();
}

class BuiltinTexts : public platform::FormTexts {
 public:
  std::string GetString(std::string_view formKey, int n) const override {
    return TextOf(BuiltinImage(), formKey, n);
  }
};

std::string ExecutableName() {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).filename().string();
}

}  // namespace

TECLanguage::TECLanguage(QObject* owner)
    : QObject(owner), folder_(platform::assetsDir()), executableName_(ExecutableName()) {
  if (g_current) {
    if (g_current->parent() == owner)
      throw ECLanguageException("Component TECLanguage already exists on that form");
    const QString ownerName = g_current->parent() ? g_current->parent()->objectName() : QString();
    ShowMessageBlock(QString(), "Component TECLanguage already exists on the form " + ownerName,
                     platform::message_kind::kWarning, platform::message_button::kOk);
    return;
  }
  g_current = this;
  for (TECFormLanguage* form : Pending()) RegisterForm(form);
  Pending().clear();
}

TECLanguage::~TECLanguage() {
  if (g_current == this) g_current = nullptr;
}

TECLanguage* TECLanguage::Current() { return g_current; }

QString TECLanguage::Language() {
  const QString stored = language_;
  if (!loaded_) LoadLanguageFile();
  return stored;
}

void TECLanguage::SetLanguage(const QString& code) {
  if (code.compare(language_, Qt::CaseInsensitive) == 0) return;
  ApplyLanguage(code);
  Q_EMIT OnLanguageChange(this);
}

void TECLanguage::ApplyLanguage(const QString& code) {
  language_ = code;
  LoadLanguageFile();
  // A window may close while another translates; translate those still registered.
  const auto forms = forms_;
  for (TECFormLanguage* form : forms)
    if (std::ranges::find(forms_, form) != forms_.end()) form->Translate();
}

std::filesystem::path TECLanguage::LanguageFilePath(const QString& code) const {
  return folder_ / platform::LanguageFileName(executableName_, code.toStdString());
}

void TECLanguage::SetFileLocation(std::filesystem::path folder, std::string executableName) {
  folder_ = std::move(folder);
  executableName_ = std::move(executableName);
}

bool TECLanguage::LoadLanguageFile() {
  if (language_.isEmpty()) language_ = QStringLiteral("ENU");
  const auto path = LanguageFilePath(language_);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    lastLoad_ = LoadResult::Missing;
    return false;
  }
  lastLoad_ = LoadResult::Refused;
  // Read whole into a new block; the image in force stays until this one checks out.
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  std::vector<std::uint8_t> bytes(in.is_open() ? static_cast<std::size_t>(in.tellg()) : 0);
  in.seekg(0);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) {
    WarningSink()("language file " + path.string() + " is not used: it cannot be read");
    return false;
  }
  auto file = platform::ParseLanguageFile(bytes);
  if (file.status != platform::LanguageFile::Status::Ok) {
    WarningSink()(platform::DescribeLanguageFileProblem(file, path.string()));
    return false;
  }
  loaded_ = std::move(file.image);
  lastLoad_ = LoadResult::Loaded;
  return true;
}

std::optional<std::uint32_t> TECLanguage::FindForm(std::string_view key) const { return Image().FindForm(key); }

const platform::LanguageImage& TECLanguage::Image() const { return loaded_ ? *loaded_ : BuiltinImage(); }

void TECLanguage::RegisterForm(QObject* component) {
  auto* form = qobject_cast<TECFormLanguage*>(component);
  if (!form) return;
  if (!loaded_ && autoLoad_) LoadLanguageFile();
  forms_.push_back(form);
  if (autoLoad_) form->Translate();
}

void TECLanguage::UnregisterForm(QObject* component) {
  if (const auto at = std::ranges::find(forms_, component); at != forms_.end()) forms_.erase(at);
}

std::string TECLanguage::GetString(std::string_view formKey, int n) const { return TextOf(Image(), formKey, n); }

void TECLanguage::SetWarningSink(std::function<void(const std::string&)> sink) { WarningSink() = std::move(sink); }

TECFormLanguage::TECFormLanguage(QObject* owner) : QObject(owner), owner_(owner) {
  if (!owner) throw ECLanguageException("Owner is not defined or wrong");
  if (TECLanguage* language = TECLanguage::Current())
    language->RegisterForm(this);
  else
    Pending().push_back(this);
}

TECFormLanguage::~TECFormLanguage() {
  if (TECLanguage* language = TECLanguage::Current())
    language->UnregisterForm(this);
  else if (const auto at = std::ranges::find(Pending(), this); at != Pending().end())
    Pending().erase(at);
}

void TECFormLanguage::SetLanguage(const QString& code) {
  if (code.compare(language_, Qt::CaseInsensitive) == 0) return;
  language_ = code;
  Translate();
}

std::string TECFormLanguage::FormKey() const {
  return (formName_.isEmpty() ? owner_->objectName() : formName_).toStdString();
}

void TECFormLanguage::Translate() {
  TECLanguage* language = TECLanguage::Current();
  if (!language) return;
  const auto record = language->FindForm(FormKey());
  if (!record) return;
  if (language_.isEmpty()) return;
  for (const auto& entry : language->Image().Entries(*record).entries) ApplyLanguageEntry(owner_, entry);
}

QString TECFormLanguage::GetString(int n) const {
  return QString::fromStdString(LanguageTexts().GetString(FormKey(), n));
}

const platform::FormTexts& LanguageTexts() {
  static const BuiltinTexts builtin;
  if (TECLanguage* language = TECLanguage::Current()) return *language;
  return builtin;
}

}  // namespace nv::widgets
