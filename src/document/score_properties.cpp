#include "document/score_properties.h"

#include <algorithm>
#include <stdexcept>

#include "model/drum_map.h"
#include "model/instrument.h"
#include "model/music_score.h"
#include "model/row.h"

namespace nv::document {
namespace {

constexpr int kFirstDrumPitch = 26;
constexpr int kLastDrumPitch = 87;
constexpr int kCustomPaper = static_cast<int>(TECPaperSize::Custom);

// Lengths are kept in tenths of a millimetre.
double Millimetres(const TECScorePage& page, int index) { return page.StoredValue(index) / 10; }

// The note's program byte holds the program + 1, 0 for none.
constexpr int kNoProgramByte = 0;

}  // namespace

std::optional<InstrumentProps> ReadActiveInstrument(const TECMusicScore& score) {
  const TECInstrument* staff = score.CurrentInstrument();
  if (staff == nullptr) return std::nullopt;
  return InstrumentProps{staff->MidiInstrument(), staff->Name(), staff->Channel(),
                         staff->Accolade(),       staff->Mute(), staff->AsMusicScore()};
}

void ApplyActiveInstrument(TECMusicScore& score, const InstrumentProps& props) {
  TECInstrument* staff = score.CurrentInstrument();
  if (staff == nullptr) return;
  staff->SetMidiInstrument(props.Program);
  staff->SetName(props.Name);
  staff->SetChannel(props.Channel);
  staff->SetMute(props.Mute);
  staff->SetAsMusicScore(props.AsMusicScore);
  staff->SetAccolade(props.Accolade == 0 ? 0 : 1);
}

std::optional<RowProps> ReadActiveRow(const TECMusicScore& score) {
  const TECInstrument* staff = score.CurrentInstrument();
  const TECRow* row = staff != nullptr ? staff->GetActiveRow() : nullptr;
  if (row == nullptr) return std::nullopt;
  return RowProps{row->VoiceMode() + 1, row->FiveLineStaff(), row->Name(),
                  row->MidiInstrument(), row->Channel(),      row->Mute()};
}

void ApplyActiveRow(TECMusicScore& score, const RowProps& props) {
  TECInstrument* staff = score.CurrentInstrument();
  TECRow* row = staff != nullptr ? staff->GetActiveRow() : nullptr;
  if (row == nullptr) return;
  row->SetVoiceMode(std::clamp(props.VoiceCount, 1, 3) - 1);
  row->SetFiveLineStaff(props.FiveLines);
  row->SetName(props.Name);
  row->SetMidiInstrument(props.Program);
  row->SetChannel(props.Channel);
  row->SetMute(props.Mute);
}

std::optional<int> ReadNoteProgram(const TECMusicScore& score) {
  int byte = kNoProgramByte;
  if (!score.GetSelectedNoteInstrument(byte)) return std::nullopt;
  return byte - 1;
}

void ApplyNoteProgram(TECMusicScore& score, int program) {
  score.SetSelectedNoteInstrument(program >= 0 && program <= 127 ? program + 1 : kNoProgramByte);
}

CompositionProps ReadCompositionProps(TECMusicScore& score) {
  CompositionProps props;
  props.Metrix = static_cast<int>(score.GetMetrix());
  const TECScorePage& page = score.Page();
  props.Page.PaperSize = static_cast<int>(page.PaperSize());
  props.Page.Landscape = page.Orientation() == TPrinterOrientation::poLandscape;
  props.Page.Width = Millimetres(page, TECScorePage::viWidth);
  props.Page.Length = Millimetres(page, TECScorePage::viHeight);
  props.Page.Left = Millimetres(page, TECScorePage::viLeftMargin);
  props.Page.Top = Millimetres(page, TECScorePage::viTopMargin);
  props.Page.Right = Millimetres(page, TECScorePage::viRightMargin);
  props.Page.Bottom = Millimetres(page, TECScorePage::viBottomMargin);
  props.Page.Interval = Millimetres(page, TECScorePage::viInterval);
  props.UnionCount = score.GetUnionCount();
  props.AufTaktNotes = score.GetAufTaktNotes();
  // A score without an upbeat keeps size 0; the choice offers 2, 4, 8 or 16.
  const int upbeatSize = score.GetAufTaktSize();
  props.AufTaktSize = upbeatSize == 2 || upbeatSize == 8 || upbeatSize == 16 ? upbeatSize : 4;
  props.VertAlign = score.GetVertAlign();
  props.HorzAlign = score.GetHorzAlign();
  props.PrintEmpty = score.GetPrintEmpty();
  props.PrintLines = score.GetPrintLines();
  props.PrintNumber = score.GetPrintNumber();
  props.Density = score.GetDensity();
  props.Tempo = score.GetTempo();
  props.NoteInterval = score.NoteInterval();
  props.MeasureCount = score.MeasureCount();
  props.Author = score.Composer;
  props.Copyright = score.Rights;
  props.Description = score.Description();
  props.Scale = score.GetScale();
  props.StartBarNumber = score.GetStartBarNumber();
  props.NumberStyle = static_cast<int>(score.GetNumberStyle());
  props.Numerator = score.GetNumerator();
  props.Denominator = score.GetDenominator();
  props.SizeStyle = score.GetSizeStyle();
  for (const TECDrumMapEntry& entry : score.DrumMap())
    props.Drums.push_back({entry.Pitch, entry.Name, entry.Head, entry.Position, entry.Use != 0});
  return props;
}

std::optional<PageFault> CheckPage(const CompositionPage& page) {
  if (page.PaperSize == kCustomPaper) {
    if (!(page.Width > 0)) return PageFault::Width;
    if (!(page.Length > 0)) return PageFault::Length;
  }
  if (page.Width > 0 && !(page.Left + page.Right < page.Width)) return PageFault::HorizontalMargins;
  if (page.Length > 0 && !(page.Top + page.Bottom < page.Length)) return PageFault::VerticalMargins;
  return std::nullopt;
}

void ApplyPage(TECMusicScore& score, const CompositionPage& wanted) {
  TECScorePage& page = score.Page();
  page.SetUnitOverride(TECMetrix::rmMM);
  // Margins out of the way first, so that no step in between is refused
  // for leaving no page.
  for (int index : {TECScorePage::viLeftMargin, TECScorePage::viTopMargin, TECScorePage::viRightMargin,
                    TECScorePage::viBottomMargin})
    page.SetValue(index, 0);
  page.SetOrientation(wanted.Landscape ? TPrinterOrientation::poLandscape : TPrinterOrientation::poPortrait);
  page.SetPaperSize(static_cast<TECPaperSize>(std::clamp(wanted.PaperSize, 0, kCustomPaper)));
  if (wanted.PaperSize == kCustomPaper) {
    page.SetWidth(wanted.Width);
    page.SetHeight(wanted.Length);
  }
  page.SetLeftMargin(wanted.Left);
  page.SetTopMargin(wanted.Top);
  page.SetRightMargin(wanted.Right);
  page.SetBottomMargin(wanted.Bottom);
  page.SetInterval(wanted.Interval);
  page.ClearUnitOverride();
}

void ApplyCompositionProps(TECMusicScore& score, const CompositionProps& props) {
  if (CheckPage(props.Page)) throw std::invalid_argument("The page leaves no room to print on");
  score.SetMetrix(static_cast<TECMetrix>(std::clamp(props.Metrix, 0, 2)));
  ApplyPage(score, props.Page);
  score.SetUnionCount(props.UnionCount);
  score.SetAufTakt(props.AufTaktNotes, props.AufTaktSize);
  score.SetVertAlign(props.VertAlign);
  score.SetHorzAlign(props.HorzAlign);
  score.SetPrintEmpty(props.PrintEmpty);
  score.SetPrintLines(props.PrintLines);
  score.SetPrintNumber(props.PrintNumber);
  score.SetDensity(props.Density);
  score.SetTempo(props.Tempo);
  score.SetNoteInterval(static_cast<std::uint8_t>(std::clamp(props.NoteInterval, 0, 2)));
  score.SetMeasureCount(props.MeasureCount);
  score.Composer = props.Author;
  score.Rights = props.Copyright;
  score.SetDescription(props.Description);
  score.SetScale(props.Scale);
  score.SetStartBarNumber(props.StartBarNumber);
  score.SetNumberStyle(static_cast<TECNumberStyle>(std::clamp(props.NumberStyle, 0, 2)));
  score.SetTimeSignature(props.Numerator, props.Denominator, static_cast<std::uint8_t>(props.SizeStyle), true);
  for (int pitch = kFirstDrumPitch; pitch <= kLastDrumPitch; ++pitch) {
    const auto row = std::find_if(props.Drums.begin(), props.Drums.end(),
                                  [pitch](const DrumMapRow& r) { return r.Pitch == pitch && !r.Name.empty(); });
    if (row == props.Drums.end())
      DeleteDrumMapEntry(score, pitch);
    else
      SetDrumMapEntry(score, pitch, row->Name, row->Use, row->Pos, row->Head);
  }
  score.DoChanged();
}

}  // namespace nv::document
