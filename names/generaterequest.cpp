// The generate request on its own, so that a test build can link a
// deliberately wrong one in its place (tests/qt/model/wrong_table_generate.cpp).

#include "names/namepicker.h"

namespace names {

void GenerateName(bool maleChosen, bool femaleChosen, const NameTables& tables,
                  RandomSource& source, const std::function<void(const std::u16string&)>& show)
{
    if (maleChosen) {
        show(PickName(tables.MaleNames, source));
    }
    if (femaleChosen) {
        show(PickName(tables.FemaleNames, source));
    }
}

} // namespace names
