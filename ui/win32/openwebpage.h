#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Module1, the web link launcher: its one procedure, OpenWebPage.
namespace links {

// Opens address in the user's default web browser with ShellExecuteA, the
// verb "Open", on the desktop window, and returns as soon as the shell has
// accepted or refused it, without waiting for the browser. Shows nothing of
// its own; the result is the shell's (above 32 where it took the address)
// and callers may ignore it.
std::int32_t OpenWebPage(const std::u16string& address);

// text in the given Windows code page, or nullopt when the code page cannot
// hold it unchanged: a character the code page lacks would otherwise become
// '?' or a look-alike ("é" → "e") and the shell would open another page.
// In the UTF-8 code page (65001) only broken UTF-16, a lone surrogate, is
// refused.
std::optional<std::string> ToCodePageLosslessly(std::u16string_view text, unsigned codePage);

} // namespace links
