#include "widgets/message_block.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include "widgets/language.h"
#include "widgets/message_icon.h"
#include "widgets/message_layout.h"

namespace nv::widgets {

namespace {

namespace mb = platform::message_button;
namespace mr = platform::message_result;

platform::MessagePrompt* g_installed = nullptr;

const QColor kCream(255, 251, 240);
constexpr int kIconLeft = 5, kIconWidth = 36;
constexpr int kButtonHeight = 25;

struct ButtonKind {
  int bit;
  const char* name;
  int text;  // the box's numbered text, -1 for the fixed "Ok"
  int result;
};
constexpr ButtonKind kButtonKinds[] = {
    {mb::kClose, "BBClose", 0, mr::kCancel}, {mb::kCancel, "BBCancel", 1, mr::kCancel},
    {mb::kOk, "BBOk", -1, mr::kOk},          {mb::kNo, "BBNo", 3, mr::kNo},
    {mb::kYes, "BBYes", 2, mr::kYes},
};

}  // namespace

TFMessageBlock::TFMessageBlock(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
  setObjectName(QStringLiteral("FMessageBlock"));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kCream);
  setPalette(palette);
  setAutoFillBackground(true);
  resize(392, 118);
  question_ = new MessageIcon(MessageIcon::Picture::Question, this);
  question_->setObjectName(QStringLiteral("IQuestion"));
  warning_ = new MessageIcon(MessageIcon::Picture::Warning, this);
  warning_->setObjectName(QStringLiteral("IWarning"));
  for (MessageIcon* icon : {question_, warning_}) icon->setGeometry(kIconLeft, 0, kIconWidth, 48);
  message_ = new QLabel(this);
  message_->setObjectName(QStringLiteral("MMessageBlock"));
  message_->setTextFormat(Qt::PlainText);
  message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  message_->setWordWrap(false);
  message_->setFocusPolicy(Qt::NoFocus);
  message_->move(50, 10);
  language_ = new TECFormLanguage(this);
  language_->Translate();
}

void TFMessageBlock::SetMessage(const QString& text) {
  const QFontMetrics metrics = message_->fontMetrics();
  const auto width = [&metrics](std::string_view piece) {
    return metrics.horizontalAdvance(QString::fromUtf8(piece.data(), static_cast<qsizetype>(piece.size())));
  };
  const MessageLayout layout = LayoutMessage(text.toStdString(), width, metrics.height());
  QStringList lines;
  for (const auto& line : layout.lines) lines << QString::fromStdString(line);
  message_->setText(lines.join('\n'));
  message_->setGeometry(layout.textLeft, layout.textTop, layout.textWidth, layout.textHeight);
  for (MessageIcon* icon : {question_, warning_}) icon->setGeometry(kIconLeft, 0, kIconWidth, layout.iconHeight);
  resize(layout.formWidth, layout.formHeight);
}

void TFMessageBlock::SetKind(int kind) {
  question_->setVisible(kind == platform::message_kind::kQuestion || kind == platform::message_kind::kQuestion2);
  warning_->setVisible(kind == platform::message_kind::kWarning);
}

void TFMessageBlock::AddButtons(int buttons) {
  const MessageButtons placed = PlaceMessageButtons(buttons, width(), height());
  resize(placed.formWidth, height());
  QWidget* previous = nullptr;
  for (const MessageButton& place : placed.buttons) {
    const ButtonKind& kind = *std::ranges::find(kButtonKinds, place.bit, &ButtonKind::bit);
    auto* button = new QPushButton(kind.text < 0 ? QStringLiteral("Ok") : language_->GetString(kind.text), this);
    button->setObjectName(QString::fromLatin1(kind.name));
    button->setGeometry(place.left, place.top, place.width, kButtonHeight);
    connect(button, &QPushButton::clicked, this, [this, result = kind.result] { done(result); });
    if (previous) {
      setTabOrder(previous, button);
    } else {
      button->setDefault(true);
      button->setFocus();
    }
    previous = button;
  }
}

void TFMessageBlock::reject() { done(mr::kCancel); }

void TFMessageBlock::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    done(mr::kCancel);
    return;
  }
  QDialog::keyPressEvent(event);
}

int MessageBlockPrompt::ShowMessageBlock(std::string_view caption, std::string_view text, int kind, int buttons) {
  QPointer<TFMessageBlock> box = new TFMessageBlock(QApplication::activeWindow());
  box->setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  box->SetMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  box->SetKind(kind);
  box->AddButtons(buttons);
  if (const QScreen* screen = box->screen()) box->move(screen->availableGeometry().center() - box->rect().center());
  const int result = box->exec();
  delete box.data();
  return result;
}

platform::MessagePrompt& CurrentMessagePrompt() {
  static MessageBlockPrompt box;
  return g_installed ? *g_installed : box;
}

void InstallMessagePrompt(platform::MessagePrompt* prompt) { g_installed = prompt; }

int ShowMessageBlock(const QString& caption, const QString& text, int kind, int buttons) {
  return CurrentMessagePrompt().ShowMessageBlock(caption.toStdString(), text.toStdString(), kind, buttons);
}

void ShowErrorMessage(std::string_view reason) {
  platform::ShowErrorMessage(CurrentMessagePrompt(), LanguageTexts(), reason);
}

}  // namespace nv::widgets
