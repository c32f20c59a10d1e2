#pragma once

// Windows only: the 8-bit copy of a text that the launcher hands to
// ShellExecuteA.

#include <optional>
#include <string>
#include <string_view>

namespace links {

// text in the given Windows code page, or nullopt when the code page cannot
// hold it unchanged: a character the code page lacks would otherwise become
// '?' or a look-alike ("é" → "e") and the shell would open another page.
// In the UTF-8 code page (65001) only broken UTF-16, a lone surrogate, is
// refused.
std::optional<std::string> ToCodePageLosslessly(std::u16string_view text, unsigned codePage);

} // namespace links
