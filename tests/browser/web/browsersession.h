#pragma once

// A browser driven with real keys, mouse and touch, on a folder of the web
// build served by a static server on the loopback: where the web test
// plays the page. Each driver protocol is a session of its own: classic
// WebDriver for Chromium and WebKitGTK (classicsession.h), WebDriver BiDi
// for Firefox (bidisession.h). What they share is here.

#include "common/eventually.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>

namespace testing {

using namespace Qt::StringLiterals;

class BrowserSession
{
public:
    virtual ~BrowserSession(); // ends the server; each session ends its browser first

    // Serves a folder and starts the browser, in a dark colour scheme;
    // false if either fails.
    [[nodiscard]] bool begin(const QString& folder);
    // Ends the server, as a network that went away would.
    void stopServing() { Stop(m_server); }
    // Each file the server has sent so far, by its path in the folder.
    QStringList served();

    // Opens a file of the folder served, by its path there.
    void open(const QString& path) { navigate(m_site + path); }
    // Runs script in the page, with its arguments as `arguments`: what it
    // returns, a promise's once it settles. Throws what the page throws.
    virtual QJsonValue run(const QString& script, const QJsonArray& arguments = {}) = 0;
    // Whether script comes to return true, run again and again a while.
    bool waitFor(const QString& script)
    {
        return QTest::qWaitFor([&] { return run(script).toBool(); });
    }

    // The browser's tabs, and the one to drive.
    virtual QStringList tabs() = 0;
    virtual void switchTo(const QString& tab) = 0;
    // The address of the tab driven.
    virtual QString address() = 0;
    // Another window, which takes the focus.
    virtual void openWindow() = 0;
    // Closes every tab but the first, back in the first one.
    void closeOtherTabs();

    // Chords in turn, each key a character: pressed in turn, released in reverse.
    void press(const QStringList& chords);
    // The mouse pressed and released `times` times on each element with these ids in turn.
    void click(const QStringList& ids, int times = 1) { pointer(u"mouse"_s, ids, times, true); }
    // A finger's tap on each in turn.
    void tap(const QStringList& ids) { pointer(u"touch"_s, ids, 1, true); }
    // Holds the mouse button down on the element with this id until release().
    void hold(const QString& id) { pointer(u"mouse"_s, {id}, 1, false); }
    virtual void release() = 0;

    // What the element with this id shows, in the screen's pixels; only
    // Chromium, whose pictures are compared, takes them.
    virtual QImage picture(const QString& id);
    // The pages opened from now on in a viewport this many CSS pixels wide,
    // a phone's where the browser can; 0 the browser's own again.
    virtual void narrowTo(int width) = 0;
    // Each console error and failed request since last asked, a line each.
    virtual QStringList errors();

    // Chromium's DevTools protocol; the other engines have none and throw.
    virtual bool hasDevTools() const { return false; }
    virtual QJsonValue devTools(const QString& command, const QJsonObject& parameters = {});

protected:
    const QString& site() const { return m_site; }
    virtual bool startBrowser() = 0;
    virtual void navigate(const QString& address) = 0;
    virtual void closeTab() = 0; // the one driven
    // One input source's actions, as WebDriver's actions describe them.
    virtual void perform(const QJsonObject& source) = 0;

private:
    void pointer(const QString& type, const QStringList& ids, int presses, bool released);

    QProcess m_server;
    QString m_site;     // the folder's address
    QString m_firstTab; // the one the browser opened with
    QString m_serverLog;
    qsizetype m_serverLogChecked = 0; // how much of it errors() has seen
};

// The height of narrowTo()'s viewport, a phone's, whatever its width.
inline constexpr int PhoneHeight = 640;

// WebDriver's names of the keys, one character each.
namespace keys {
inline const QString Backspace = u"\uE003"_s, Tab = u"\uE004"_s, Return = u"\uE006"_s,
                     KeypadEnter = u"\uE007"_s, Shift = u"\uE008"_s, Control = u"\uE009"_s,
                     Space = u"\uE00D"_s, Left = u"\uE012"_s, Up = u"\uE013"_s, Right = u"\uE014"_s,
                     Down = u"\uE015"_s, Delete = u"\uE017"_s;
} // namespace keys

// What a starting process says on its standard output that matches the
// pattern's first group, or "" if it says nothing of the kind in time.
QString Said(QProcess& process, const QString& pattern);

} // namespace testing
