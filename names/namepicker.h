#pragma once

#include "names/nametable.h"
#include "names/randomsource.h"

#include <functional>
#include <string>

namespace names {

// The table index a draw r lands on: floor(r * NameTableSize), so every
// index 0 to 1000 covers an equal share of [0, 1). A draw outside [0, 1)
// (or not a number) is refused with std::out_of_range.
int IndexForDraw(double r);

// Draws one value from source and returns a copy of the entry it lands on.
std::u16string PickName(const NameTable& table, RandomSource& source);

// The generate request of the "Generate Name" button. The male test and the
// female test are independent, in this order: each chosen gender draws one
// name and hands it to show. With neither chosen nothing is drawn or shown.
void GenerateName(bool maleChosen, bool femaleChosen, const NameTables& tables,
                  RandomSource& source, const std::function<void(const std::u16string&)>& show);

} // namespace names
