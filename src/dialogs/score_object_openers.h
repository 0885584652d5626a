#pragma once

#include "dialogs/property_dialogs.h"
#include "document/element_dialogs.h"

namespace nv::dialogs {

// The dialogs click-to-insert and the edit commands ask their values
// through, each run modally over the services' parent with its place and
// last choices kept in their settings (none kept without them). The
// chord-symbol dialog edits with the chord-name editor of the document
// window, which gives it.
class ScoreObjectDialogs : public nv::document::ElementDialogs {
 public:
  explicit ScoreObjectDialogs(PropertyDialogServices services) : services_(std::move(services)) {}

  bool PauseCount(int& count) override;
  bool TempoInput(nv::document::TempoValues& values) override;
  bool GraceNotes(nv::document::GraceNotesValues& values) override;
  bool BarNumber(int& position) override;
  bool PartNumber(nv::document::PartNumberValues& values) override;
  bool RehearsalMarkCount(int& number, int kind) override;
  bool BarreProperties(nv::document::BarreValues& values) override;
  bool TextInput(nv::document::TextInputValues& values) override;
  bool ImageInput(nv::document::ImageValues& values) override;
  bool NoteProperties(nv::document::NotePropertiesValues& values) override;

 protected:
  const PropertyDialogServices& Services() const { return services_; }

 private:
  PropertyDialogServices services_;
};

}  // namespace nv::dialogs
