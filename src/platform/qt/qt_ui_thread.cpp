#include "platform/qt/qt_ui_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QSocketNotifier>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>
#include <stdexcept>

namespace nv::platform {

namespace {

class EventFdWakeSignal final : public UiWakeSignal {
 public:
  explicit EventFdWakeSignal(std::function<void()> onWake) : onWake_(std::move(onWake)) {
    fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd_ < 0) throw std::runtime_error("eventfd failed");
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
      std::uint64_t count = 0;
      // Reading resets the counter; the wakes it held are served by one run.
      if (read(fd_, &count, sizeof count) == sizeof count) onWake_();
    });
  }
  ~EventFdWakeSignal() override {
    notifier_.reset();
    close(fd_);
  }
  void Wake() override {
    const std::uint64_t one = 1;
    // A full counter already means a pending run, so a failed write loses
    // nothing.
    [[maybe_unused]] const ssize_t written = write(fd_, &one, sizeof one);
  }

 private:
  std::function<void()> onWake_;
  int fd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace

void QtUiThread::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

std::unique_ptr<UiWakeSignal> QtUiThread::MakeWakeSignal(std::function<void()> onWake) {
  return std::make_unique<EventFdWakeSignal>(std::move(onWake));
}

}  // namespace nv::platform
