#pragma once

#include "names/nametable.h"

#include <string_view>

namespace names {

// The two built-in lists, compiled in from names/lists/male.txt and
// names/lists/female.txt as they are: NameTableSize lines, each ending in a
// line end, in table order (line 1 is index 0). The build lets in only the
// letters A to Z, a to z and the blank, so they are kept as ASCII, half the
// size, and each entry's UTF-16 text has the same characters. One text per
// list, without a pointer and a length per name, keeps the page's program small.
extern const std::string_view BuiltInMaleList;
extern const std::string_view BuiltInFemaleList;

} // namespace names
