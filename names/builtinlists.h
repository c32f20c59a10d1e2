#pragma once

#include "names/nametable.h"

#include <array>
#include <string_view>

namespace names {

// The two built-in lists, compiled in from names/lists/male.txt and
// names/lists/female.txt, in table order (line 1 is index 0). The build lets
// in only the letters A to Z, a to z and the blank, so they are kept as
// ASCII, half the size, and each entry's UTF-16 text has the same characters.
extern const std::array<std::string_view, NameTableSize> BuiltInMaleList;
extern const std::array<std::string_view, NameTableSize> BuiltInFemaleList;

} // namespace names
