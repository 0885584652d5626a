#pragma once

#include <functional>

#include "document/command_registry.h"

namespace nv::document {

class ScoreDocument;

// Adds the commands on a score to the registry: every key of the score
// control's key table (same id, caption and key) and the document's own
// (save, save as, play, stop). Each acts on the document `active` gives and is
// disabled while it gives none.
void AddScoreCommands(CommandRegistry& registry, std::function<ScoreDocument*()> active);
// Only the commands of the key table: a host whose document windows save and
// play themselves adds its own save, save as, play and stop.
void AddScoreKeyCommands(CommandRegistry& registry, std::function<ScoreDocument*()> active);

}  // namespace nv::document
