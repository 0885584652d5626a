#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nv::platform {

// The system clipboard as the program uses it: one block of bytes held
// under a format name (a MIME type). Backends: MemoryClipboard for tests and
// the Qt backend, which the program installs at start-up.
class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // True when the clipboard holds data of `format` that can be read.
  virtual bool HasFormat(const std::string& format) const = 0;
  // The bytes held under `format`; none when the clipboard holds none.
  virtual std::optional<std::vector<std::uint8_t>> Data(const std::string& format) const = 0;
  // Replaces the clipboard's contents with `data` under `format`; false
  // when the system refused them (the clipboard then keeps what it held).
  virtual bool SetData(const std::string& format, const std::vector<std::uint8_t>& data) = 0;
};

// The process-wide clipboard; null when none is installed.
Clipboard* installedClipboard();
// Installs `clipboard` (not owned; it must outlive its use), or none.
void installClipboard(Clipboard* clipboard);

// A clipboard in memory, shared by nobody else.
class MemoryClipboard final : public Clipboard {
 public:
  bool HasFormat(const std::string& format) const override;
  std::optional<std::vector<std::uint8_t>> Data(const std::string& format) const override;
  bool SetData(const std::string& format, const std::vector<std::uint8_t>& data) override;

  // Empties it, as another program taking the clipboard would.
  void Clear();
  // Makes the next SetData fail, as a system that refuses the data.
  bool RefuseNextSet = false;

 private:
  std::string format_;
  std::optional<std::vector<std::uint8_t>> data_;
};

}  // namespace nv::platform
