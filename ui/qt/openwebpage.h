#pragma once

#include <string>

// Module1, the web link launcher, on desktops without ShellExecuteA.
namespace links {

// Hands address to the desktop's default browser (xdg-open, the desktop
// portal in sandboxes, or the macOS launcher) as a single argument and
// returns without waiting for it. What is no absolute address is refused;
// either way nothing is shown.
void OpenWebPage(const std::u16string& address);

} // namespace links
