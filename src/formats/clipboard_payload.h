#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/element.h"
#include "model/note_records.h"
#include "model/page_objects.h"
#include "model/stream.h"

class TECMusicScore;

// The note clipboard's payload: the selected elements of one staff row, of
// the symbols row or of the texts row, with measure indexes relative to the
// lowest selected measure and times relative to the earliest element of its
// first entry (the base time), so that a paste puts them at the cursor.
// Integers are little-endian; every element is an i32 size and that many
// bytes of the record's stored prefix (shorter or longer prefixes read as the
// score file reads them), then the data of its kind.
namespace clipboard_kind {
inline constexpr std::uint16_t Row = 252;
inline constexpr std::uint16_t Symbols = 254;
inline constexpr std::uint16_t Texts = 255;
}  // namespace clipboard_kind

// The largest relative measure index a payload may name.
inline constexpr std::int32_t kMaxClipboardMeasure = 10000;
// The partner measure of a link whose partner lies in another row.
inline constexpr std::uint16_t kClipboardPartnerElsewhere = 9999;

// A tie or slur held by a copied note, with where its partner (the earlier
// note) was: its measure relative to the lowest one, step code, octave and
// start.
struct ClipboardLink {
  std::unique_ptr<TECLinkAttribute> Link;
  std::uint16_t PartnerMeasure = kClipboardPartnerElsewhere;
  std::uint16_t PartnerKind = 0;
  std::uint16_t PartnerOctave = 0;
  std::uint16_t PartnerStart = 0;
};

// One element as read: a clef, key or time record, a note (its attributes
// but its links in Links), a rest, a measure item, a symbols-row item, or an
// attribute or grace-note group selected without its note.
struct ClipboardElement {
  std::unique_ptr<TECElement> Record;
  std::vector<ClipboardLink> Links;
};

struct ClipboardEntry {
  std::int32_t Measure = 0;  // relative to the lowest selected measure
  std::vector<ClipboardElement> Elements;
};

struct ClipboardPayload {
  std::uint16_t Kind = 0;
  std::int32_t BaseTime = 0;
  // Staff-row and symbols-row payloads.
  std::vector<ClipboardEntry> Entries;
  // Texts-row payloads: the page objects of each entry.
  std::vector<std::vector<std::unique_ptr<TECPageObject>>> Objects;
};

// Writes the selection of `score` (owner row and entries of the active
// instrument); an empty selection writes nothing. Raises EWriteError for a
// selection that cannot be stored.
void WriteClipboardPayload(ByteStream& stream, const TECMusicScore& score);

// Reads a whole payload. A payload that contradicts itself (a size or count
// past the bytes left, a relative measure outside 0..10000, entry lists that
// disagree, an element kind the payload kind cannot hold, a note attribute
// that a score file does not keep on a note, a base time or time signature
// no measure can have) raises EStreamError. A payload kind
// other than the three is returned with nothing read after it.
ClipboardPayload ReadClipboardPayload(ByteStream& stream);
