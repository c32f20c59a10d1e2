// A deliberately wrong generate request for tst_model_wrong_table: each
// gender reads the other gender's table. Linked ahead of the names library,
// it takes the place of names/generaterequest.cpp.

#include "names/namepicker.h"

namespace names {

void GenerateName(bool maleChosen, bool femaleChosen, const NameTables& tables,
                  RandomSource& source, const std::function<void(const std::u16string&)>& show)
{
    if (maleChosen) {
        show(PickName(tables.FemaleNames, source));
    }
    if (femaleChosen) {
        show(PickName(tables.MaleNames, source));
    }
}

} // namespace names
