#include "dialogs/time_signature_fields.h"

#include <QWidget>

#include <algorithm>

#include "dialogs/logic/time_signature_rule.h"
#include "dialogs/music_face.h"
#include "widgets/char_button.h"

namespace nv::dialogs {

namespace ts = time_signature;

ValueTextConverter NumberList(std::vector<int> values) {
  return {[](int v) { return QString::number(v); },
          [values = std::move(values)](const QString& text) -> std::optional<int> {
            bool ok = false;
            const int v = text.trimmed().toInt(&ok);
            if (!ok || std::find(values.begin(), values.end(), v) == values.end()) return std::nullopt;
            return v;
          }};
}

void AddTimeSignatureFields(FormFields& fields, bool withOne) {
  const int columns = 2;
  fields.SetColumns(columns);
  fields.AddCombo(QStringLiteral("CBNumerator"), QStringLiteral("Time Signature"), ts::Numerators(withOne),
                  NumberList(ts::Numerators(withOne)), 4);
  fields.AddCombo(QStringLiteral("CBDenumerator"), QStringLiteral("/"), ts::Denominators(),
                  NumberList(ts::Denominators()), 4);
  GlyphGroup symbols;
  symbols.font = MusicFont(16);
  symbols.buttons = {{1, QStringLiteral("CBSymbol1"), {}, {}, '/', {4, -2}, {}},
                     {2, QStringLiteral("CBSymbol2"), {}, {}, '-', {4, -2}, {}}};
  symbols.buttonSize = {26, 26};
  symbols.allowAllUp = true;
  symbols.none = 0;
  fields.AddGlyphGroup(QStringLiteral("GBSymbol"), {}, symbols, 0);
}

void EnableSymbolButtons(const FormFields& fields, int numerator, int denominator) {
  const ts::SymbolsEnabled enabled = ts::EnabledFor(numerator, denominator);
  if (auto* first = fields.Area()->findChild<nv::widgets::TECCharButton*>(QStringLiteral("CBSymbol1")))
    first->setEnabled(enabled.first);
  if (auto* second = fields.Area()->findChild<nv::widgets::TECCharButton*>(QStringLiteral("CBSymbol2")))
    second->setEnabled(enabled.second);
}

}  // namespace nv::dialogs
