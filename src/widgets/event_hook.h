#pragma once

#include <QEvent>
#include <QObject>

#include <functional>
#include <utility>

namespace nv::widgets {

// Hands the events of one type that reach `watched` to a function first;
// the event stops there when the function returns true. Owned by `owner`.
class EventHook : public QObject {
 public:
  EventHook(QObject& owner, QObject& watched, QEvent::Type type, std::function<bool(QEvent&)> handle)
      : QObject(&owner), type_(type), handle_(std::move(handle)) {
    watched.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == type_ && handle_(*event)) return true;
    return QObject::eventFilter(watched, event);
  }

 private:
  QEvent::Type type_;
  std::function<bool(QEvent&)> handle_;
};

}  // namespace nv::widgets
