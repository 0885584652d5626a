// The score's calls into the score file code, which lives with the other
// file formats.
#include "formats/midi_import.h"
#include "formats/score_file.h"
#include "formats/score_stream.h"
#include "model/music_score.h"

void TECMusicScore::LoadFromStream(ByteStream& stream) {
  Stop();
  LoadScoreFromStream(*this, stream);
}

void TECMusicScore::SaveToStream(ByteStream& stream) const { SaveScoreToStream(*this, stream); }

void TECMusicScore::LoadFromFile(const std::string& name) {
  Stop();
  if (IsMidiFileName(name))
    ImportMidiFile(*this, name);
  else
    LoadScoreFromFile(*this, name);
}

void TECMusicScore::SaveToFile(const std::string& name) const { SaveScoreToFile(*this, name); }
