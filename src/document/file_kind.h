#pragma once

#include <string>

namespace nv::document {

// What a file holds, told by its name's extension (in any case): ".sfd"
// score files, ".mid", ".midi" and ".kar" Standard MIDI files, ".xml"
// MusicXML.
enum class FileKind { None, Score, Midi, MusicXml, Other };

// None for an empty name.
FileKind KindOfFileName(const std::string& path);

}  // namespace nv::document
