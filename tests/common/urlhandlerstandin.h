#pragma once

#include <QDesktopServices>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace testing {

// Stands in for the browser inside a Qt test: receives every URL that
// QDesktopServices is asked to open, the malformed ones and those without a
// scheme included, so an address the launcher refused is told apart from
// one that merely failed to open. No test ever opens a real browser.
class UrlHandlerStandIn : public QObject
{
    Q_OBJECT

public:
    UrlHandlerStandIn()
    {
        for (const QString& scheme : m_schemes) {
            QDesktopServices::setUrlHandler(scheme, this, "open");
        }
    }
    ~UrlHandlerStandIn() override
    {
        for (const QString& scheme : m_schemes) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
    }

    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }

private:
    const QStringList m_schemes{QString(), QStringLiteral("http"), QStringLiteral("https"),
                                QStringLiteral("file")};
};

} // namespace testing
