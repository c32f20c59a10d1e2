#include "browser/web/browsersession.h"

#include <QBuffer>
#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QRegularExpression>
#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace testing {

namespace {

// What a starting process prints on a line of its own that matches pattern:
// the first group of the match, or "" if it says nothing of the sort in time.
QString waitToSay(QProcess& process, const QString& pattern)
{
    const QRegularExpression expression(pattern);
    QString said;
    QString match;
    const bool saidOrEnded = QTest::qWaitFor(
        [&] {
            said += QString::fromUtf8(process.readAllStandardOutput());
            match = expression.match(said).captured(1);
            return !match.isEmpty() || process.state() == QProcess::NotRunning;
        },
        20000);
    return saidOrEnded ? match : QString();
}

// The W3C name of an element reference in a command.
const QString ElementKey = u"element-6066-11e4-a52e-4f735466cecf"_s;

} // namespace

BrowserSession::BrowserSession(const QString& folder)
{
    m_server.setProgram(u"/usr/bin/python3"_s);
    // Keeping connections open, as web servers do.
    m_server.setArguments({u"-u"_s, u"-m"_s, u"http.server"_s, u"0"_s, u"--bind"_s, u"127.0.0.1"_s,
                           u"--protocol"_s, u"HTTP/1.1"_s, u"--directory"_s, folder});
    m_driver.setProgram(u"/usr/bin/chromedriver"_s);
    m_driver.setArguments({u"--port=0"_s});
}

BrowserSession::~BrowserSession()
{
    try {
        send("DELETE", {}); // quits the browser, which the driver's end would leave running
    } catch (const std::exception&) {
        // never started, or gone already
    }
    for (QProcess* process : {&m_driver, &m_server}) {
        process->kill();
        process->waitForFinished();
    }
}

bool BrowserSession::begin()
{
    m_server.start();
    m_driver.start();
    const QString served = waitToSay(m_server, u"Serving HTTP on \\S+ port (\\d+)"_s);
    const QString driver = waitToSay(m_driver, u"started successfully on port (\\d+)"_s);
    if (served.isEmpty() || driver.isEmpty()) {
        return false;
    }
    m_folderAddress = u"http://127.0.0.1:%1/"_s.arg(served);
    m_session = u"http://127.0.0.1:%1/session"_s.arg(driver);
    // As a person's browser, less what reaches for the network of its own.
    const QJsonArray arguments{u"--headless"_s,
                               u"--no-sandbox"_s,
                               u"--disable-gpu"_s,
                               u"--disable-quic"_s,
                               u"--no-first-run"_s,
                               u"--disable-background-networking"_s,
                               u"--disable-component-update"_s,
                               u"--disable-sync"_s,
                               u"--lang=en-US"_s,
                               u"--window-size=800,600"_s,
                               u"--force-device-scale-factor=1"_s};
    const QJsonObject options{{u"binary"_s, u"/usr/bin/chromium"_s}, {u"args"_s, arguments}};
    const QJsonObject capabilities{
        {u"alwaysMatch"_s, QJsonObject{{u"goog:chromeOptions"_s, options}}}};
    const QJsonValue session = send("POST", {}, {{u"capabilities"_s, capabilities}});
    m_session += u"/"_s + session[u"sessionId"_s].toString();
    return true;
}

void BrowserSession::stopServing()
{
    m_server.kill();
    m_server.waitForFinished();
}

QString BrowserSession::address(const QString& path) const
{
    return m_folderAddress + path;
}

QStringList BrowserSession::served()
{
    m_serverLog += QString::fromUtf8(m_server.readAllStandardError());
    static const QRegularExpression request(u"\"GET /([^ ?]*)\\S* HTTP/[0-9.]+\" 200"_s);
    QStringList paths;
    for (auto match = request.globalMatch(m_serverLog); match.hasNext();) {
        paths.append(match.next().captured(1));
    }
    return paths;
}

void BrowserSession::open(const QString& address)
{
    send("POST", u"/url"_s, {{u"url"_s, address}});
}

void BrowserSession::closeOtherTabs()
{
    const QJsonArray tabs = send("GET", u"/window/handles"_s).toArray();
    for (qsizetype tab = tabs.size() - 1; tab >= 0; --tab) {
        send("POST", u"/window"_s, {{u"handle"_s, tabs[tab]}});
        if (tab > 0) {
            send("DELETE", u"/window"_s);
        }
    }
}

QJsonValue BrowserSession::send(const QByteArray& method, const QString& path,
                                const QJsonObject& body)
{
    QNetworkRequest request(QUrl(m_session + path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    const QByteArray content = method == "POST" ? QJsonDocument(body).toJson() : QByteArray();
    QNetworkReply* reply = m_network.sendCustomRequest(request, method, content);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    const QJsonValue value = QJsonDocument::fromJson(reply->readAll())[u"value"_s];
    if (!value[u"error"_s].isUndefined() || reply->error() != QNetworkReply::NoError) {
        throw std::runtime_error(QStringLiteral("%1 %2: %3")
                                     .arg(QString::fromLatin1(method), path,
                                          value[u"message"_s].toString(reply->errorString()))
                                     .toStdString());
    }
    return value;
}

QJsonValue BrowserSession::run(const QString& script, const QJsonArray& arguments)
{
    return send("POST", u"/execute/sync"_s, {{u"script"_s, script}, {u"args"_s, arguments}});
}

QJsonValue BrowserSession::runUntilDone(const QString& script)
{
    return send(
        "POST", u"/execute/async"_s,
        {{u"script"_s, u"const done = arguments[0];\n"_s + script}, {u"args"_s, QJsonArray()}});
}

QJsonValue BrowserSession::devTools(const QString& command, const QJsonObject& parameters)
{
    return send("POST", u"/goog/cdp/execute"_s, {{u"cmd"_s, command}, {u"params"_s, parameters}});
}

QJsonObject BrowserSession::element(const QString& id)
{
    return send("POST", u"/element"_s, {{u"using"_s, u"css selector"_s}, {u"value"_s, u"#"_s + id}})
        .toObject();
}

void BrowserSession::perform(const QJsonObject& source)
{
    send("POST", u"/actions"_s, {{u"actions"_s, QJsonArray{source}}});
}

void BrowserSession::press(const QStringList& chord)
{
    QJsonArray actions;
    for (const QString& key : chord) {
        actions.append(QJsonObject{{u"type"_s, u"keyDown"_s}, {u"value"_s, key}});
    }
    for (auto key = chord.crbegin(); key != chord.crend(); ++key) {
        actions.append(QJsonObject{{u"type"_s, u"keyUp"_s}, {u"value"_s, *key}});
    }
    perform({{u"type"_s, u"key"_s}, {u"id"_s, u"keyboard"_s}, {u"actions"_s, actions}});
}

void BrowserSession::hold(const QString& id)
{
    mouse(id, 1, false);
}

void BrowserSession::release()
{
    send("DELETE", u"/actions"_s);
}

void BrowserSession::mouse(const QString& id, int presses, bool released)
{
    QJsonArray actions{QJsonObject{
        {u"type"_s, u"pointerMove"_s}, {u"origin"_s, element(id)}, {u"x"_s, 0}, {u"y"_s, 0}}};
    for (int press = 0; press < presses; ++press) {
        actions.append(QJsonObject{{u"type"_s, u"pointerDown"_s}, {u"button"_s, 0}});
        if (released) {
            actions.append(QJsonObject{{u"type"_s, u"pointerUp"_s}, {u"button"_s, 0}});
        }
    }
    perform({{u"type"_s, u"pointer"_s},
             {u"id"_s, u"mouse"_s},
             {u"parameters"_s, QJsonObject{{u"pointerType"_s, u"mouse"_s}}},
             {u"actions"_s, actions}});
}

QImage BrowserSession::picture(const QString& id)
{
    const QString reference = element(id)[ElementKey].toString();
    const QJsonValue png = send("GET", u"/element/"_s + reference + u"/screenshot"_s);
    return QImage::fromData(QByteArray::fromBase64(png.toString().toLatin1()), "PNG");
}

} // namespace testing
