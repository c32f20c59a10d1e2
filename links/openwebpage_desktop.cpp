// The launcher for desktops without ShellExecuteA: Qt hands the address to
// the desktop's default browser (xdg-open, the desktop portal in sandboxes,
// or the macOS launcher) as a single argument and does not wait for it.

#include "links/openwebpage.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace links {

namespace {

// Results in the shell's convention: above ShellSuccessAbove means handed over.
constexpr std::int32_t Accepted = ShellSuccessAbove + 1;
constexpr std::int32_t Refused = 0;

} // namespace

std::int32_t OpenWebPage(const std::u16string& address)
{
    const QUrl url(QString::fromStdU16String(address), QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) {
        return Refused;
    }
    return QDesktopServices::openUrl(url) ? Accepted : Refused;
}

} // namespace links
