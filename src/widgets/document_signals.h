#pragma once

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "document/score_document.h"

namespace nv::widgets {

// A document's notices as Qt signals, for the windows that show it. A notice
// raised on the GUI thread is emitted at once; one raised on another thread
// is queued to the GUI thread, and so is every notice after it until the
// queue is empty, so that signals come in the order the notices were raised.
// KeyDown is left out: its listener answers through the key it is given,
// which a queued signal cannot carry back.
class DocumentSignals : public QObject {
  Q_OBJECT
 public:
  explicit DocumentSignals(nv::document::ScoreDocument& document, QObject* parent = nullptr);

 Q_SIGNALS:
  void Changed();
  void SelectedChanged();
  void PositionChanged();
  void StaveChanged(int operation);
  void UndoChanged();
  void RedoChanged();
  void ActivePageChanged();
  void PageCountChanged();
  void NoteClick(TECElement* note, int line);
  void SetCursor(TECElement* symbol);
  void ScoreClick(int line);
  void PageClick(int x, int y);
  void MouseDown(TECMouseButton button, TECShiftState shift, int x, int y);
  void MouseMove(TECShiftState shift, int x, int y);
  void MouseUp(TECMouseButton button, TECShiftState shift, int x, int y);
  void PlayError();
  void ModifiedChanged();
  void FileChanged();
  void PlayEnded();
  void MidiIn(int status, int data1, unsigned time, int data2);

 private:
  // Emits now on the GUI thread with nothing queued, else queued.
  void Emit(std::function<void()> emit);

  std::vector<nv::document::Subscription> subscriptions_;
  std::atomic<int> queued_{0};
};

}  // namespace nv::widgets
