#pragma once

#include <string>
#include <vector>

#include "document/score_document.h"

namespace nv::document {

struct ProgramSettings;

// Keeps the previous versions of a score file next to it as song.v1.sfd,
// song.v2.sfd ...: before each save the file is copied under the next
// number (one above the highest that exists), and with "LimitBackUp" on the
// oldest copies are deleted until "CountBackUp" remain with the new one,
// once the save has written the file. A save that fails takes its copy back
// and deletes none. A file whose path holds ".v" (a backup itself, or a
// score in a folder such as "a.vx") gets none. A copy that cannot be made
// or deleted is passed over: the save goes on.
class NumberedBackups : public BackupKeeper {
 public:
  // Reads "SaveBackUp", "LimitBackUp" and "CountBackUp" at each save.
  explicit NumberedBackups(const ProgramSettings& settings) : settings_(settings) {}
  void BeforeReplace(const std::string& path) override;
  void AfterReplace(const std::string& path, bool written) override;

 private:
  const ProgramSettings& settings_;
  // Of the save under way: the copy it made, and the older copies to
  // delete once the file is written.
  std::string made_;
  std::vector<std::string> stale_;
};

}  // namespace nv::document
