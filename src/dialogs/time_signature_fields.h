#pragma once

#include <vector>

#include "dialogs/form_fields.h"

namespace nv::dialogs {

// A combo's converter for a fixed list of numbers: a text that is none of
// them is no value.
ValueTextConverter NumberList(std::vector<int> values);

// The time-signature fields the new-staff and composition dialogs share:
// the numerator list (with or without "1") "CBNumerator", the denominator
// list "CBDenumerator" side by side, then the symbol buttons "CBSymbol1"
// (common time, value 1) and "CBSymbol2" (cut time, 2) in the group
// "GBSymbol", of which none may be down (0).
void AddTimeSignatureFields(FormFields& fields, bool withOne);

// Enables the symbol buttons the pair allows; their down state stays.
void EnableSymbolButtons(const FormFields& fields, int numerator, int denominator);

}  // namespace nv::dialogs
