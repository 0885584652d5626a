#pragma once

#include <QApplication>

#include <cstdlib>
#include <memory>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "platform/qt/qt_font_faces.h"
#include "render/page_layout.h"

// The dense score the drawing and export benchmarks share.
namespace dense_score {

// Text, the music font and the panes need an application; one offscreen instance
// serves every run and lives until the process ends (the font database must
// outlast every static that holds a font).
inline void EnsureApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "notavistra_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  nv::platform::ensureMusicFontLoaded();
}

inline TECNote* Note(TECMeasure& m, int step, int octave, int value, int start) {
  auto note = std::make_unique<TECNote>(static_cast<std::uint8_t>(20 + step), &m);
  note->Octave = static_cast<std::uint8_t>(octave);
  note->Value = note->Length = static_cast<std::uint16_t>(value);
  note->Position = note->Start = static_cast<std::uint16_t>(start);
  m.Notes.push_back(std::move(note));
  return m.Notes.back().get();
}

// A4 pages of four systems of four staves with eight measures a system (48
// measures fill two pages): beamed eighths with accidentals in the upper
// rows, chords and quarters in the lower ones.
inline std::unique_ptr<TECMusicScore> DenseScore(int measures = 48) {
  auto score = std::make_unique<TECMusicScore>();
  score->LayoutSuspended = true;
  score->Page().SetWidth(210);
  score->Page().SetHeight(297);
  score->Page().SetInterval(10);
  score->SetTimeSignature(4, 4, 0, true);
  score->SetNoteInterval(2);
  score->SetMeasureCount(8);
  TECInstrument* instrument = score->AppendInstrument();
  for (int r = 0; r < 4; ++r) {
    TECRow* row = instrument->AppendRow();
    row->SetKeySignature(0, 32);
    if (r >= 2) row->SetClef(0, 2);
    for (int m = 0; m < measures; ++m) {
      TECMeasure& measure = m == 0 ? *row->GetMeasure(0) : *row->AddMeasure();
      if (r < 2) {
        for (int i = 0; i < 8; ++i) {
          TECNote* n = Note(measure, 1 + (i + m) % 7, 5, 16, i * 16);
          if (i % 3 == 0) n->Attributes.push_back(MakeNoteAttribute(ek::Sharp, n));
        }
      } else {
        for (int i = 0; i < 4; ++i)
          for (int step : {1, 3, 5}) Note(measure, step, 3, 32, i * 32)->ChordMark = static_cast<std::uint8_t>(i + 1);
      }
      row->RebuildUnions(&measure, false, false);
    }
  }
  score->LayoutSuspended = false;
  nv::render::LayoutScore(*score, 0, false);
  return score;
}

}  // namespace dense_score
