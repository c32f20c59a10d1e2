#pragma once

#include <cstdint>
#include <string>

// Module1, the web link launcher: its one procedure, OpenWebPage, with a
// file of its own for each platform (openwebpage_*.cpp).
namespace links {

// The shell's convention for the result of OpenWebPage: a value greater than
// this means the address was handed over; 32 or less means it was refused.
inline constexpr std::int32_t ShellSuccessAbove = 32;

// Opens address in the user's default web browser through the desktop shell
// and returns as soon as the shell has accepted or refused it, without
// waiting for the browser. Shows nothing of its own; the result is the
// shell's (see ShellSuccessAbove) and callers may ignore it.
//
// On Windows this is ShellExecuteA with the verb "Open" on the desktop
// window. Elsewhere the desktop's own launcher gets the address as one
// argument (xdg-open, the desktop portal, or the macOS launcher); in a web
// browser it opens in a new tab.
std::int32_t OpenWebPage(const std::u16string& address);

} // namespace links
