#pragma once

// Headless Firefox through WebDriver BiDi, which it speaks itself over a
// WebSocket, on a fresh profile of its own.

#include "browser/web/browsersession.h"

#include <QTemporaryDir>
#include <QWebSocket>

namespace testing {

class BidiSession : public BrowserSession
{
public:
    ~BidiSession() override; // ends the browser

    QJsonValue run(const QString& script, const QJsonArray& arguments = {}) override;
    QStringList tabs() override;
    // Activated too, as the one a person looks at.
    void switchTo(const QString& tab) override
    {
        m_tab = tab;
        command(u"browsingContext.activate"_s, {{u"context"_s, m_tab}});
    }
    QString address() override;
    void openWindow() override { command(u"browsingContext.create"_s, {{u"type"_s, u"window"_s}}); }
    void release() override { command(u"input.releaseActions"_s, {{u"context"_s, m_tab}}); }
    void narrowTo(int width) override;
    QStringList errors() override;

protected:
    bool startBrowser() override;
    void navigate(const QString& address) override
    {
        command(u"browsingContext.navigate"_s,
                {{u"context"_s, m_tab}, {u"url"_s, address}, {u"wait"_s, u"complete"_s}});
    }
    void closeTab() override { command(u"browsingContext.close"_s, {{u"context"_s, m_tab}}); }
    void perform(const QJsonObject& source) override
    {
        command(u"input.performActions"_s,
                {{u"context"_s, m_tab}, {u"actions"_s, QJsonArray{source}}});
    }

private:
    // A command and its result; throws what the browser reports as an error.
    QJsonObject command(const QString& method, const QJsonObject& parameters);
    void heard(const QString& message);

    QProcess m_firefox;
    QTemporaryDir m_profile;
    QWebSocket m_socket;
    int m_lastCommand = 0;
    QJsonObject m_answer;  // to the last command, once it came
    QString m_tab;         // the browsing context driven
    QStringList m_errors;  // since errors() last gave them
    QStringList m_dropped; // requests the browser dropped itself, since then
};

} // namespace testing
