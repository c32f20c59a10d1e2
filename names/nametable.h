#pragma once

#include <array>
#include <string>
#include <string_view>

namespace names {

// Each name table has exactly this many slots, at indexes 0 to 1000.
inline constexpr int NameTableSize = 1001;

// A fixed table of full names. Slots start empty and are filled one by one;
// every access is range-checked, so a bad index can never touch memory.
class NameTable
{
public:
    // The text stored at index. Throws std::out_of_range for an index
    // outside 0 to NameTableSize - 1; the table is left as it was.
    const std::u16string& at(int index) const;

    // Stores the table's own copy of text at index, under the same range check.
    void assign(int index, std::u16string_view text);

private:
    std::array<std::u16string, NameTableSize> m_entries;
};

// The main window's two tables, one per gender.
struct NameTables
{
    NameTable MaleNames;
    NameTable FemaleNames;
};

// Assigns every slot from the built-in lists: all male entries in index
// order, then all female ones. Called once, while the main window loads.
void FillNameTables(NameTables& tables);

} // namespace names
