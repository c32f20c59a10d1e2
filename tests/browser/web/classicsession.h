#pragma once

// Headless Chromium through ChromeDriver, or WebKitGTK's MiniBrowser through
// WebKitWebDriver (on the X display it is given), with the classic W3C
// WebDriver protocol; Chromium's DevTools through ChromeDriver too.

#include "browser/web/browsersession.h"

#include <QNetworkAccessManager>
#include <QTemporaryDir>

namespace testing {

class ClassicSession : public BrowserSession
{
public:
    enum class Engine { Chromium, WebKit };
    explicit ClassicSession(Engine engine) : m_engine(engine) {}
    ~ClassicSession() override; // quits the browser, which the driver's end would leave running

    // A command of the protocol; throws what the driver reports as an error.
    QJsonValue send(const QByteArray& method, const QString& path, const QJsonObject& body = {});

    QJsonValue run(const QString& script, const QJsonArray& arguments = {}) override
    {
        return send("POST", u"/execute/sync"_s, {{u"script"_s, script}, {u"args"_s, arguments}});
    }
    QStringList tabs() override
    {
        return send("GET", u"/window/handles"_s).toVariant().toStringList();
    }
    void switchTo(const QString& tab) override { send("POST", u"/window"_s, {{u"handle"_s, tab}}); }
    QString address() override { return send("GET", u"/url"_s).toString(); }
    void openWindow() override { send("POST", u"/window/new"_s, {{u"type"_s, u"window"_s}}); }
    void release() override { send("DELETE", u"/actions"_s); }
    QImage picture(const QString& id) override;
    void narrowTo(int width) override;
    QStringList errors() override;

    bool hasDevTools() const override { return m_engine == Engine::Chromium; }
    QJsonValue devTools(const QString& command, const QJsonObject& parameters = {}) override
    {
        return send("POST", u"/goog/cdp/execute"_s,
                    {{u"cmd"_s, command}, {u"params"_s, parameters}});
    }

protected:
    bool startBrowser() override;
    void navigate(const QString& address) override;
    void closeTab() override { send("DELETE", u"/window"_s); }
    void perform(const QJsonObject& source) override
    {
        send("POST", u"/actions"_s, {{u"actions"_s, QJsonArray{source}}});
    }

private:
    Engine m_engine;
    int m_frameWidth = 0; // WebKit's narrow viewport: a frame of the test's own
    QProcess m_driver;
    QTemporaryDir m_data; // WebKit's data and cache, new each time
    QString m_session;    // the driver's address and session
    QNetworkAccessManager m_network;
};

} // namespace testing
