#include "library/library_dump.h"

#include <filesystem>
#include <sstream>

#include "library/accord_description.h"
#include "library/drum_description.h"
#include "library/symbol_description.h"
#include "model/memory_stream.h"
#include "model/stream_strings.h"
#include "platform/font_faces.h"
#include "platform/ini_file.h"
#include "platform/text_case.h"
#include "render/element_bytes.h"

namespace nv::library {
namespace {

using nv::platform::SameTextIgnoringCase;

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

void DumpElement(std::ostream& out, const TECPageObject& element) {
  out << "  kind " << int{element.Kind};
  switch (element.Kind) {
    case ek::PageText: {
      const auto& text = static_cast<const TECPageText&>(element);
      out << " text at (" << text.X << ", " << text.Y << ") in " << Quoted(text.FontName) << " "
          << int{text.FontSize} << ", colour " << text.Color << ", lines";
      for (const std::string& line : text.Lines) {
        if (nv::platform::isMusicFace(text.FontName)) {
          out << " [";
          for (std::size_t i = 0; i < line.size(); ++i) {
            out << (i ? " " : "") << int{static_cast<std::uint8_t>(line[i])};
          }
          out << "]";
        } else {
          out << " " << Quoted(line);
        }
      }
      break;
    }
    case ek::PagePicture: {
      const auto& picture = static_cast<const TECPagePicture&>(element);
      out << " picture at (" << picture.X << ", " << picture.Y << ") " << picture.Width << " x " << picture.Height;
      if (picture.Picture) out << ", type " << picture.Picture->Type << ", " << picture.Picture->Data.size() << " bytes";
      break;
    }
    case ek::PageLine: {
      const auto& line = static_cast<const TECPageLine&>(element);
      out << " line (" << line.X1 << ", " << line.Y1 << ") to (" << line.X2 << ", " << line.Y2 << "), pen "
          << int{line.PenWidth} << ", ends " << int{line.EndShapes};
      break;
    }
    default: {
      const auto& shape = static_cast<const TECPageShape&>(element);
      out << " shape at (" << shape.X << ", " << shape.Y << ") " << shape.Width << " x " << shape.Height << ", pen "
          << int{shape.PenWidth} << ", brush " << int{shape.BrushStyle};
      break;
    }
  }
  out << "\n";
}

void DumpHeader(std::ostream& out, MemoryStream& stream) {
  out << "signature " << int{stream.ReadU8()} << "\n";
  out << "header " << Quoted(ReadStreamString(stream)) << "\n";
  out << "version " << stream.ReadU16() << "\n";
  out << "sections " << stream.ReadU16() << "\n";
  stream.SetPosition(0);
}

void Dump(std::ostream& out, const TECAccordDescription& chord) {
  out << "name " << Quoted(chord.GetName()) << "\ndescription " << Quoted(chord.Description) << "\ngroup "
      << Quoted(chord.Group) << "\nfixed octave " << int{chord.FixedOctave} << "\npieces " << chord.Pieces.size()
      << "\n";
  for (const auto& piece : chord.Pieces) {
    out << "  " << Quoted(piece.Text) << " level " << nv::render::element_bytes::PieceRaise(piece) << " after "
        << nv::render::element_bytes::PieceAnchor(piece) << "\n";
  }
  out << "notes " << chord.Variants.size() << "\n";
  for (const auto& note : chord.Variants) {
    out << "  " << "CDEFGAB"[note->Kind - ek::NoteC] << int{note->Octave} << " value " << note->Value;
    for (const auto& attribute : note->Attributes) out << " mark " << int{attribute->Kind};
    out << "\n";
  }
}

void Dump(std::ostream& out, const TECSymbolDescription& symbol) {
  out << "description " << Quoted(symbol.Description) << "\ngroup " << Quoted(symbol.Group) << "\nsize "
      << symbol.Width << " x " << symbol.Height << "\nelements " << symbol.Elements().size() << "\n";
  for (const auto& element : symbol.Elements()) DumpElement(out, *element);
}

void Dump(std::ostream& out, const TECDrumDescription& drum) {
  out << "display name " << Quoted(drum.DisplayName) << "\nhint " << Quoted(drum.Hint) << "\nvalues " << drum.First
      << " / " << drum.Second << "\nflag " << int{drum.Flag} << "\nelements " << drum.Elements().size() << "\n";
  for (const auto& element : drum.Elements()) DumpElement(out, *element);
}

template <typename Description>
void DumpTemplate(std::ostream& out, const std::string& path) {
  MemoryStream stream(ReadTemplateFile(path));
  Description description;
  ReadTemplateBody(description.Kind(), [&] { DumpHeader(out, stream); });
  description.LoadFromStream(stream);
  Dump(out, description);
}

}  // namespace

std::string DumpLibraryFile(const std::string& path) {
  std::ostringstream out;
  const std::string extension = std::filesystem::path(path).extension().string();
  if (SameTextIgnoringCase(extension, kAccordFile.Extension)) {
    DumpTemplate<TECAccordDescription>(out, path);
  } else if (SameTextIgnoringCase(extension, kSymbolFile.Extension)) {
    DumpTemplate<TECSymbolDescription>(out, path);
  } else if (SameTextIgnoringCase(extension, kDrumFile.Extension)) {
    DumpTemplate<TECDrumDescription>(out, path);
  } else {
    const nv::platform::IniFile file(path);
    if (!file.LoadError().empty()) throw EFileOpenError(file.LoadError());
    for (const std::string& section : file.ReadSections()) {
      out << "[" << section << "]\n";
      for (const std::string& key : file.ReadSection(section)) {
        out << "  " << key << " = " << Quoted(file.ReadString(section, key, "")) << "\n";
      }
    }
  }
  return out.str();
}

}  // namespace nv::library
