#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/page_objects.h"
#include "model/stream.h"
#include "model/stream_blocks.h"

// What the three template files share: the header, the sized records, the
// element records, and the file on disk.
namespace nv::library {

// A template file that is not what it claims, or that contradicts itself.
class ETemplateFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kVersionTooNew = "Version of file is more then 3.2";

struct TemplateKind {
  std::uint8_t Signature;
  std::string_view Header;
  std::uint16_t Version;
  std::string_view Extension;
  std::string_view NotThisKind;  // the format error's text
};
inline constexpr TemplateKind kAccordFile{51, "Notavistra accord file", 880, ".acc", "File is not accord"};
inline constexpr TemplateKind kSymbolFile{200, "Notavistra symbol file", 800, ".smb", "File is not symbol"};
inline constexpr TemplateKind kDrumFile{122, "Notavistra drum styles file", 800, ".drm", "File is not drum style"};

void WriteTemplateHeader(ByteStream& stream, const TemplateKind& kind, std::uint16_t sections);
// Returns the file's version and section count. A wrong signature raises the
// kind's format error before anything else is read; a newer version raises
// kVersionTooNew.
struct TemplateHeader {
  std::uint16_t Version = 0;
  std::uint16_t Sections = 0;
};
TemplateHeader ReadTemplateHeader(ByteStream& stream, const TemplateKind& kind);

// A sized record of at most `size` bytes, zero-filled to `size`; a larger
// one raises EFileDamage (it would be cut).
SizedRecord ReadBoundedRecord(ByteStream& stream, std::size_t size);

// The elements of a symbol or drum style (kinds 61..68): a u16 count and
// each as the score's drum heads store it (a u8 size). The reader refuses
// an element larger than its kind's record with EFileDamage.
void WriteTemplateElements(ByteStream& stream, const std::vector<std::unique_ptr<TECPageObject>>& elements);
std::vector<std::unique_ptr<TECPageObject>> ReadTemplateElements(ByteStream& stream);
// Whether a template may hold an element of this kind.
bool IsTemplateElement(std::uint8_t kind);

// Runs `read`; any stream failure inside becomes the kind's format error, so
// that a truncated or damaged file says what it is not.
template <typename Read>
void ReadTemplateBody(const TemplateKind& kind, Read read) {
  try {
    read();
  } catch (const EStreamError&) {
    throw ETemplateFormatError(std::string(kind.NotThisKind));
  }
}

// The whole file, or EFileOpenError naming it and the reason. Files above
// 64 MB are refused: no template comes near that.
std::vector<std::uint8_t> ReadTemplateFile(const std::string& path);

// The file name of a template called `name`: the name itself when it ends
// with the extension (ignoring case), else the name and the extension.
std::string TemplateFileName(std::string_view name, const TemplateKind& kind);
// The name a template file gives its template: without folder and extension.
std::string TemplateNameOfPath(const std::string& path);

}  // namespace nv::library
