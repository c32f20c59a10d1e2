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

class BrowserSession
{
public:
    explicit BrowserSession(const QString& folder) : m_folder(folder) {}
    ~BrowserSession(); // ends the browser, the driver and the server
    BrowserSession(const BrowserSession&) = delete;
    BrowserSession& operator=(const BrowserSession&) = delete;

    // Serves the folder and starts the browser; false if either fails.
    [[nodiscard]] bool begin();
    // Ends the server, as a network that went away would.
    void stopServing() { Stop(m_server); }

    // Each file the server has sent so far, by its path in the folder.
    QStringList served();
    // Opens a file of the folder served, by its path there.
    void open(const QString& path);
    // The browser's tabs, as the driver lists them, and the one to drive.
    QStringList tabs();
    void switchTo(const QString& tab);
    // Closes every tab but the first, back in the first one.
    void closeOtherTabs();

    // A command of the protocol; throws what the driver reports as an error.
    QJsonValue send(const QByteArray& method, const QString& path, const QJsonObject& body = {});
    // Runs script in the page: what it returns, a promise's once it settles.
    QJsonValue run(const QString& script, const QJsonArray& arguments = {});
    // A command of the browser's DevTools protocol.
    QJsonValue devTools(const QString& command, const QJsonObject& parameters = {});

    // A key, or a chord of one key a character: pressed in turn and
    // released in reverse.
    void press(const QString& chord);
    // The mouse pressed and released `times` times on the element with this id.
    void click(const QString& id, int times = 1) { mouse(id, times, true); }
    // Holds the mouse button down on the element with this id until release().
    void hold(const QString& id) { mouse(id, 1, false); }
    void release() { send("DELETE", QStringLiteral("/actions")); }

    // What the element with this id shows, in the screen's pixels.
    QImage picture(const QString& id);

private:
    QJsonValue element(const QString& id);
    void mouse(const QString& id, int presses, bool released);
    void perform(const QString& type, const QJsonArray& actions);

    QString m_folder;
    QProcess m_server;
    QProcess m_driver;
    QString m_folderAddress;
    QString m_session; // the driver's address and session
    QString m_serverLog;
    QNetworkAccessManager m_network;
};

// WebDriver's names of the keys.
namespace keys {
inline const QString Tab = QStringLiteral(u"\uE004");
inline const QString Shift = QStringLiteral(u"\uE008");
inline const QString Control = QStringLiteral(u"\uE009");
inline const QString Return = QStringLiteral(u"\uE006");
inline const QString KeypadEnter = QStringLiteral(u"\uE007");
inline const QString Space = QStringLiteral(u"\uE00D");
inline const QString Backspace = QStringLiteral(u"\uE003");
inline const QString Delete = QStringLiteral(u"\uE017");
inline const QString Left = QStringLiteral(u"\uE012");
inline const QString Up = QStringLiteral(u"\uE013");
inline const QString Right = QStringLiteral(u"\uE014");
inline const QString Down = QStringLiteral(u"\uE015");
} // namespace keys

} // namespace testing
