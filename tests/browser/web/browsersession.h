#pragma once

// Headless Chromium driven by ChromeDriver through the W3C WebDriver
// protocol, on a folder of the web build served by a static server on the
// loopback: where the web test plays the page.

#include "common/eventually.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QString>

namespace testing {

using namespace Qt::StringLiterals;

class BrowserSession
{
public:
    ~BrowserSession(); // ends the browser, the driver and the server

    // Serves a folder and starts the browser; false if either fails.
    [[nodiscard]] bool begin(const QString& folder);
    // Ends the server, as a network that went away would.
    void stopServing() { Stop(m_server); }

    // Each file the server has sent so far, by its path in the folder.
    QStringList served();
    // Opens a file of the folder served, by its path there.
    void open(const QString& path) { send("POST", u"/url"_s, {{u"url"_s, m_site + path}}); }
    // The browser's tabs, as the driver lists them, and the one to drive.
    QStringList tabs() { return send("GET", u"/window/handles"_s).toVariant().toStringList(); }
    void switchTo(const QString& tab) { send("POST", u"/window"_s, {{u"handle"_s, tab}}); }
    // Closes every tab but the first, back in the first one.
    void closeOtherTabs();

    // A command of the protocol; throws what the driver reports as an error.
    QJsonValue send(const QByteArray& method, const QString& path, const QJsonObject& body = {});
    // Runs script in the page: what it returns, a promise's once it settles.
    QJsonValue run(const QString& script, const QJsonArray& arguments = {})
    {
        return send("POST", u"/execute/sync"_s, {{u"script"_s, script}, {u"args"_s, arguments}});
    }
    // Whether script comes to return true, run again and again a while.
    bool waitFor(const QString& script)
    {
        return QTest::qWaitFor([&] { return run(script).toBool(); });
    }
    // A command of the browser's DevTools protocol.
    QJsonValue devTools(const QString& command, const QJsonObject& parameters = {})
    {
        return send("POST", u"/goog/cdp/execute"_s,
                    {{u"cmd"_s, command}, {u"params"_s, parameters}});
    }

    // Chords in turn, each key a character: pressed in turn, released in reverse.
    void press(const QStringList& chords);
    // The mouse pressed and released `times` times on each element with these ids in turn.
    void click(const QStringList& ids, int times = 1) { mouse(ids, times, true); }
    // Holds the mouse button down on the element with this id until release().
    void hold(const QString& id) { mouse({id}, 1, false); }
    void release() { send("DELETE", u"/actions"_s); }

    // What the element with this id shows, in the screen's pixels.
    QImage picture(const QString& id);

private:
    QJsonValue element(const QString& id)
    {
        return send("POST", u"/element"_s,
                    {{u"using"_s, u"css selector"_s}, {u"value"_s, u"#"_s + id}});
    }
    void mouse(const QStringList& ids, int presses, bool released);
    void perform(const QString& type, const QJsonArray& actions);

    QProcess m_server;
    QProcess m_driver;
    QString m_site;    // the folder's address
    QString m_session; // the driver's address and session
    QString m_serverLog;
    QNetworkAccessManager m_network;
};

// WebDriver's names of the keys, one character each.
namespace keys {
inline const QString Backspace = u"\uE003"_s, Tab = u"\uE004"_s, Return = u"\uE006"_s,
                     KeypadEnter = u"\uE007"_s, Shift = u"\uE008"_s, Control = u"\uE009"_s,
                     Space = u"\uE00D"_s, Left = u"\uE012"_s, Up = u"\uE013"_s, Right = u"\uE014"_s,
                     Down = u"\uE015"_s, Delete = u"\uE017"_s;
} // namespace keys

} // namespace testing
