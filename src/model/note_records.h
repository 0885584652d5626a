#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "model/element.h"
#include "model/element_kinds.h"
#include "model/inline_vector.h"

class TECMeasure;
class TECNote;

// A note attribute (codes 101..128, 151, 152): dots, accidentals,
// articulations, grace-note groups and links. The owner is the note, rest or
// grace note whose list holds it.
class TECNoteAttribute : public TECElement {
 public:
  explicit TECNoteAttribute(std::uint8_t code, TECElement* owner = nullptr)
      : TECElement(TECElementType::Attribute, code), Owner(owner) {}

  // Bytes of the stored form (grace-note groups keep only 4).
  virtual std::size_t StoredSize() const { return 8; }
  virtual void Store(std::span<std::uint8_t> out) const;
  virtual void Load(std::span<const std::uint8_t> stored);
  // A deep copy owned by `owner`; links come back unconnected.
  virtual std::unique_ptr<TECNoteAttribute> Clone(TECElement* owner) const;

  bool IsAccidental() const;

  // Plain attributes come from a pool of their size (see block_pool.h).
  static void* operator new(std::size_t size);
  static void operator delete(void* block, std::size_t size) noexcept;

  // Three data bytes (an accidental keeps its microtone amount in the third)
  // and a 32-bit field.
  std::array<std::uint8_t, 3> Data{};
  std::uint32_t Value = 0;
  TECElement* Owner = nullptr;
};

// The attribute list of a note, rest or grace note.
using TECAttributeList = InlineVector<std::unique_ptr<TECNoteAttribute>>;

// Where an unresolved link partner lies inside the instrument; the stream
// reader records it and resolves it once the partner exists.
struct TECNotePath {
  std::uint16_t Row = 0;
  std::uint16_t Measure = 0;
  std::uint16_t Note = 0;
};

// A tie or slur (151 above, 152 below), held by the later note with the
// earlier note as partner; the earlier note lists the later one in its
// LinkedNotes.
class TECLinkAttribute : public TECNoteAttribute {
 public:
  explicit TECLinkAttribute(std::uint8_t code, TECElement* owner = nullptr)
      : TECNoteAttribute(code, owner) {}

  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECNoteAttribute> Clone(TECElement* owner) const override;

  TECNote* OwnerNote() const;

  // Signed vertical shifts of the arc's ends (ones' complement bytes).
  std::uint8_t StartOffset = 0;
  std::uint8_t EndOffset = 0;
  std::uint8_t Thickness = 4;
  // Bit 0: drawn as two half links, one at each note.
  std::uint8_t LinkStyle = 0;
  TECNote* Partner = nullptr;
  std::optional<TECNotePath> PartnerPath;
  // Boxes of the two drawn parts and the part last hit.
  std::array<TECElementBox, 2> PartBoxes{};
  std::uint8_t HitPart = 0;
};

class TECGraceGroup;

// One small note of a grace-note group (kind 32).
class TECGraceNote : public TECElement {
 public:
  explicit TECGraceNote(TECGraceGroup* group = nullptr)
      : TECElement(TECElementType::GraceNote, ek::GraceNote), Group(group) {}

  static constexpr std::size_t StoredSize = 9;
  void Store(std::span<std::uint8_t> out) const;
  void Load(std::span<const std::uint8_t> stored);
  std::unique_ptr<TECGraceNote> Clone(TECGraceGroup* group) const;

  std::uint8_t Step = 0;  // 1..7 = C..B
  std::uint8_t Octave = 0;
  std::int16_t Position = 0;
  std::uint16_t Length = 0;
  std::uint8_t Velocity = 0;
  std::uint8_t Spare = 0;
  // Its own marks (accidentals); only their code byte is stored.
  TECAttributeList Attributes;
  TECGraceGroup* Group = nullptr;
};

// Grace-note group (code 120): grace value, flags (bit 5 slur to the main
// note, bit 6 slashed, bit 7 after the note) and its small notes.
class TECGraceGroup : public TECNoteAttribute {
 public:
  explicit TECGraceGroup(TECElement* owner = nullptr) : TECNoteAttribute(ek::GraceNotes, owner) {}

  std::size_t StoredSize() const override { return 4; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECNoteAttribute> Clone(TECElement* owner) const override;

  std::uint8_t GraceValue() const { return Data[0]; }
  std::uint8_t Flags() const { return Data[1]; }

  std::vector<std::unique_ptr<TECGraceNote>> Notes;
  std::int32_t XOffset = 0;
};

// Builds the attribute record type that a code calls for.
std::unique_ptr<TECNoteAttribute> MakeNoteAttribute(std::uint8_t code, TECElement* owner);

// A play sub-note (kind 42) that playback sounds in place of an ornament.
class TECPlayNote : public TECElement {
 public:
  explicit TECPlayNote(TECNote* owner = nullptr)
      : TECElement(TECElementType::PlayNote, ek::PlayNote), Owner(owner) {}

  static constexpr std::size_t StoredSize = 13;
  void Store(std::span<std::uint8_t> out) const;
  void Load(std::span<const std::uint8_t> stored);

  std::uint8_t Step = 0;
  std::uint8_t Octave = 0;
  std::uint16_t Start = 0;
  std::uint16_t Length = 0;
  std::uint8_t Accidental = 0;
  std::uint8_t Velocity = 0;
  TECNote* Owner = nullptr;
};

// A note (kinds 21..27 = C..B) or a repeat sign (28, 29).
class TECNote : public TECElement {
 public:
  explicit TECNote(std::uint8_t kind = ek::NoteC, TECMeasure* owner = nullptr)
      : TECElement(TECElementType::Note, kind), Owner(owner) {}
  // Unlinks every tie and slur that reaches this note, from either side.
  ~TECNote() override;

  static constexpr std::size_t StoredSize = 23;
  static constexpr std::uint8_t StemDown = 0x80;
  static constexpr std::uint8_t BeamBreak = 0x08;

  void Store(std::span<std::uint8_t> out) const;
  // Reads a stored prefix; a zero length or start takes the value or
  // position (and the other way round), a zero velocity becomes 64.
  void Load(std::span<const std::uint8_t> stored);
  // Copies the stored fields exactly.
  void CopyStoredFields(const TECNote& from);

  // Notes come from a pool of their size (see block_pool.h).
  static void* operator new(std::size_t size);
  static void operator delete(void* block, std::size_t size) noexcept;

  std::uint8_t TupletNumber() const { return Flags & 0x0F; }
  bool InTuplet() const { return TupletNumber() > 1; }
  // Bits 4..6 of the flags: the tremolo strokes, which the layout pass
  // writes and a stored note takes from TremoloStrokes, so that what is
  // saved does not depend on which measures were laid out since an edit.
  static constexpr std::uint8_t StrokeBits = 0x70;
  // 1..4 for a pitched note's tremolo 110..113 (the last one listed), else 0.
  int TremoloStrokes() const {
    if (!ek::IsNoteStep(Kind)) return 0;
    int strokes = 0;
    for (const auto& attribute : Attributes)
      if (attribute->Kind >= 110 && attribute->Kind <= 113) strokes = attribute->Kind - 109;
    return strokes;
  }
  int Diatonic() const { return Octave * 7 + ek::NoteStep(Kind); }

  // The link this note holds whose partner is `earlier`, or none.
  TECLinkAttribute* LinkFrom(const TECNote* earlier) const;
  // Removes (and frees) every link held here whose partner is `earlier`.
  void RemoveLinksFrom(const TECNote* earlier);
  // Frees one attribute of this note, unlinking it first when it is a link.
  void RemoveAttribute(TECNoteAttribute* attribute);

  // Later notes that hold a link whose partner is this note (empty when
  // none), and the play sub-notes that playback sounds in its place.
  const std::vector<TECNote*>& LinkedNotes() const;
  const std::vector<std::unique_ptr<TECPlayNote>>& PlayNotes() const;
  // The same lists for changing them; the first call makes room for both.
  std::vector<TECNote*>& EditLinkedNotes();
  std::vector<std::unique_ptr<TECPlayNote>>& EditPlayNotes();

  // The stored fields, grouped by width so that they pack without padding;
  // the stored order is the layout table's.
  std::uint16_t Value = 0;
  std::uint16_t Position = 0;
  std::uint16_t SoundingLength = 0;
  std::uint16_t Length = 0;
  std::uint16_t Start = 0;
  std::uint8_t Octave = 0;
  std::uint8_t ChordMark = 0;
  std::uint8_t Flags = 0;
  std::uint8_t Velocity = 64;
  std::uint8_t StartOffset = 0;
  std::uint8_t Voice = 0;
  std::uint8_t Options = 0;
  // Stored and copied unchanged: two spare bytes, an insertion parameter,
  // the note's own instrument number, a second insertion parameter.
  std::array<std::uint8_t, 5> Extra{};

  std::uint8_t BeamGroup = 0;  // runtime only
  std::uint8_t InputMark = 0;  // runtime only
  // The head as the painter drew it, without the stem (left - 1, top - 1,
  // right, bottom); runtime only, for the tie and slur painters.
  TECElementBox HeadBox;

  TECAttributeList Attributes;
  TECMeasure* Owner = nullptr;

 private:
  // Links reaching the note and play sub-notes are rare: they live apart,
  // made on first change.
  struct Lists {
    std::vector<TECNote*> LinkedNotes;
    std::vector<std::unique_ptr<TECPlayNote>> PlayNotes;
  };
  Lists& EditLists();
  std::unique_ptr<Lists> lists_;
};

// A rest (kind 30).
class TECRest : public TECElement {
 public:
  explicit TECRest(TECMeasure* owner = nullptr) : TECElement(TECElementType::Rest, ek::Rest), Owner(owner) {}

  static constexpr std::size_t StoredSize = 13;
  // Set on rests after a voice's last note and on rests the user hid.
  static constexpr std::uint8_t Hidden = 0x80;

  void Store(std::span<std::uint8_t> out) const;
  void Load(std::span<const std::uint8_t> stored);
  // Copies the stored fields and the attributes.
  std::unique_ptr<TECRest> Clone(TECMeasure* owner) const;

  std::uint16_t Value = 0;
  std::uint16_t Position = 0;
  // Where the rest is drawn; both 0 is the middle of the staff.
  std::uint8_t Step = 0;
  std::uint8_t Octave = 0;
  std::uint16_t Length = 0;
  std::uint16_t Start = 0;
  std::uint8_t Flags = 0;
  std::uint8_t Voice = 0;
  TECAttributeList Attributes;
  TECMeasure* Owner = nullptr;
};

// Length of a value with its dots: one dot adds half, two add three quarters.
std::uint16_t DottedLength(std::uint16_t value, int dots);

// Connects two notes by a tie or slur (code 151 or 152). The earlier note is
// `first` when its row stands before `second`'s row; otherwise the one in the
// lower measure, within a measure the one with the smaller start. The link is
// stored on the later note. Returns it.
TECLinkAttribute* LinkNotes(TECNote* first, TECNote* second, std::uint8_t code);
