#pragma once

#include <string>
#include <vector>

class QWidget;

namespace nv::app {

// Asks for the files to open; the program asks with the file dialog, tests
// answer themselves. Nothing when the user cancels.
class OpenFileDialog {
 public:
  virtual ~OpenFileDialog() = default;
  virtual std::vector<std::string> Ask() = 0;
};

// The file dialog, several score, MIDI or MusicXML files at a time.
class QtOpenFileDialog : public OpenFileDialog {
 public:
  explicit QtOpenFileDialog(QWidget* parent) : parent_(parent) {}
  std::vector<std::string> Ask() override;

 private:
  QWidget* parent_;
};

}  // namespace nv::app
