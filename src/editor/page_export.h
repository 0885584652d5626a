#pragma once

#include <string>

#include "editor/export_options.h"

class TECMusicScore;

namespace nv::editor {

// Draws pages of `score` into `name` as the export filter says: PDF through
// the score's print path, pictures through the picture export, one file per
// page with "Every page in file". The pages are drawn from a copy of the
// score at the options' scale, so the document's zoom and view stay as they
// were. Every file replaces its target in one step, so a failure (raised
// with its reason) leaves an existing file as it was.
void ExportPages(const TECMusicScore& score, const std::string& name, int filterIndex, const ExportOptions& options);

}  // namespace nv::editor
