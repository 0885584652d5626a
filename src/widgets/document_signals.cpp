#include "widgets/document_signals.h"

#include <QThread>

namespace nv::widgets {

DocumentSignals::DocumentSignals(nv::document::ScoreDocument& document, QObject* parent) : QObject(parent) {
  nv::document::DocumentNotices& n = document.Notices();
  // A plain notice re-emitted as the signal `signal`.
  auto relay = [this](nv::document::Notice<>& notice, void (DocumentSignals::*signal)()) {
    subscriptions_.push_back(notice.Subscribe([this, signal] { Emit([this, signal] { (this->*signal)(); }); }));
  };
  relay(n.Changed, &DocumentSignals::Changed);
  relay(n.SelectedChanged, &DocumentSignals::SelectedChanged);
  relay(n.PositionChanged, &DocumentSignals::PositionChanged);
  relay(n.UndoChanged, &DocumentSignals::UndoChanged);
  relay(n.RedoChanged, &DocumentSignals::RedoChanged);
  relay(n.ActivePageChanged, &DocumentSignals::ActivePageChanged);
  relay(n.PageCountChanged, &DocumentSignals::PageCountChanged);
  relay(n.ModifiedChanged, &DocumentSignals::ModifiedChanged);
  relay(n.FileChanged, &DocumentSignals::FileChanged);
  relay(n.PlayEnded, &DocumentSignals::PlayEnded);
  subscriptions_.push_back(n.StaveChanged.Subscribe([this](TECStaveOperation op, TECModelObject*) {
    Emit([this, op] { Q_EMIT StaveChanged(static_cast<int>(op)); });
  }));
  subscriptions_.push_back(n.NoteClick.Subscribe([this](TECElement* note, int line) {
    Emit([=, this] { Q_EMIT NoteClick(note, line); });
  }));
  subscriptions_.push_back(
      n.SetCursor.Subscribe([this](TECElement* symbol) { Emit([=, this] { Q_EMIT SetCursor(symbol); }); }));
  subscriptions_.push_back(n.ScoreClick.Subscribe([this](int line) { Emit([=, this] { Q_EMIT ScoreClick(line); }); }));
  subscriptions_.push_back(
      n.PageClick.Subscribe([this](int x, int y) { Emit([=, this] { Q_EMIT PageClick(x, y); }); }));
  subscriptions_.push_back(n.MouseDown.Subscribe([this](TECMouseButton button, TECShiftState shift, int x, int y) {
    Emit([=, this] { Q_EMIT MouseDown(button, shift, x, y); });
  }));
  subscriptions_.push_back(n.MouseMove.Subscribe(
      [this](TECShiftState shift, int x, int y) { Emit([=, this] { Q_EMIT MouseMove(shift, x, y); }); }));
  subscriptions_.push_back(n.MouseUp.Subscribe([this](TECMouseButton button, TECShiftState shift, int x, int y) {
    Emit([=, this] { Q_EMIT MouseUp(button, shift, x, y); });
  }));
  // The measures named are the score's, valid only during the notice.
  subscriptions_.push_back(n.PlayError.Subscribe([this](const std::vector<const TECMeasure*>&) {
    Emit([this] { Q_EMIT PlayError(); });
  }));
  subscriptions_.push_back(
      n.MidiIn.Subscribe([this](std::uint8_t status, std::uint8_t data1, std::uint32_t time, std::uint8_t data2) {
        Emit([=, this] { Q_EMIT MidiIn(status, data1, time, data2); });
      }));
}

void DocumentSignals::Emit(std::function<void()> emit) {
  if (QThread::currentThread() == thread() && queued_ == 0) {
    emit();
    return;
  }
  ++queued_;
  QMetaObject::invokeMethod(
      this,
      [this, emit = std::move(emit)] {
        --queued_;
        emit();
      },
      Qt::QueuedConnection);
}

}  // namespace nv::widgets
