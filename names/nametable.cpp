#include "names/nametable.h"

#include "names/builtinlists.h"

#include <stdexcept>

namespace names {

namespace {

void checkIndex(int index)
{
    if (index < 0 || index >= NameTableSize) {
        throw std::out_of_range("Subscript out of range: name table index " +
                                std::to_string(index) + " is not within 0 to " +
                                std::to_string(NameTableSize - 1));
    }
}

// One slot per line of the list, in order.
void fillFrom(NameTable& table, std::string_view list)
{
    for (int index = 0; index < NameTableSize; ++index) {
        const std::string_view entry = list.substr(0, list.find('\n'));
        table.assign(index, std::u16string(entry.begin(), entry.end()));
        list.remove_prefix(entry.size() + 1);
    }
}

} // namespace

const std::u16string& NameTable::at(int index) const
{
    checkIndex(index);
    return m_entries[static_cast<std::size_t>(index)];
}

void NameTable::assign(int index, std::u16string_view text)
{
    checkIndex(index);
    m_entries[static_cast<std::size_t>(index)].assign(text);
}

void FillNameTables(NameTables& tables)
{
    fillFrom(tables.MaleNames, BuiltInMaleList);
    fillFrom(tables.FemaleNames, BuiltInFemaleList);
}

} // namespace names
