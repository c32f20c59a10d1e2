#pragma once

#include "names/nametable.h"

#include <array>
#include <string_view>

namespace names {

// The two built-in lists, compiled in from names/lists/male.txt and
// names/lists/female.txt, in table order (line 1 is index 0).
extern const std::array<std::u16string_view, NameTableSize> BuiltInMaleList;
extern const std::array<std::u16string_view, NameTableSize> BuiltInFemaleList;

} // namespace names
