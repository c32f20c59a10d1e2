#include "ui/qt/openwebpage.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace links {

void OpenWebPage(const std::u16string& address)
{
    const QUrl url(QString::fromStdU16String(address), QUrl::StrictMode);
    if (url.isValid() && !url.isRelative()) {
        QDesktopServices::openUrl(url);
    }
}

} // namespace links
