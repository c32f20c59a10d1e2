#include "browser/web/browsersession.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QRegularExpression>

#include <stdexcept>

namespace testing {

namespace {

// The port a starting process says it listens on, or "" if it says none in time.
QString port(QProcess& process)
{
    static const QRegularExpression saying(u"port ([1-9][0-9]*)"_s);
    QString said;
    while (!saying.match(said).hasMatch() && process.waitForReadyRead(20000)) {
        said += QString::fromUtf8(process.readAllStandardOutput());
    }
    return saying.match(said).captured(1);
}

} // namespace

BrowserSession::~BrowserSession()
{
    try {
        send("DELETE", {}); // quits the browser, which the driver's end would leave running
    } catch (const std::exception&) { // never started, or gone already
    }
    Stop(m_driver);
    Stop(m_server);
}

bool BrowserSession::begin(const QString& folder)
{
    m_server.start(u"/usr/bin/python3"_s, {u"-u"_s, u"" VELMORA_SITE_SERVER ""_s, folder});
    m_driver.start(u"/usr/bin/chromedriver"_s, {u"--port=0"_s});
    const QString served = port(m_server), driver = port(m_driver);
    if (served.isEmpty() || driver.isEmpty()) {
        return false;
    }
    m_site = u"http://127.0.0.1:%1/"_s.arg(served);
    m_session = u"http://127.0.0.1:%1/session"_s.arg(driver);
    // As a person's browser, less what reaches for the network of its own.
    const QByteArray capabilities = R"({"capabilities": {"alwaysMatch": {"goog:chromeOptions": {
        "binary": "/usr/bin/chromium",
        "args": ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--lang=en-US", "--window-size=800,600", "--force-device-scale-factor=1"]}}}})";
    const QJsonValue session = send("POST", {}, QJsonDocument::fromJson(capabilities).object());
    m_session += u"/"_s + session[u"sessionId"_s].toString();
    return true;
}

QStringList BrowserSession::served()
{
    static const QRegularExpression request(u"\"GET /([^ ?]*)\\S* HTTP/[0-9.]+\" 200"_s);
    QStringList paths;
    m_serverLog += QString::fromUtf8(m_server.readAllStandardError());
    for (const QRegularExpressionMatch& match : request.globalMatch(m_serverLog)) {
        paths.append(match.captured(1));
    }
    return paths;
}

void BrowserSession::closeOtherTabs()
{
    const QStringList tabs = this->tabs();
    for (const QString& tab : tabs.sliced(1)) {
        switchTo(tab);
        send("DELETE", u"/window"_s);
    }
    switchTo(tabs.first());
}

QJsonValue BrowserSession::send(const QByteArray& method, const QString& path,
                                const QJsonObject& body)
{
    QNetworkRequest request(QUrl(m_session + path));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json"_ba);
    const QByteArray content = method == "POST" ? QJsonDocument(body).toJson() : QByteArray();
    QNetworkReply* reply = m_network.sendCustomRequest(request, method, content);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    const QJsonValue value = QJsonDocument::fromJson(reply->readAll())[u"value"_s];
    if (!value[u"error"_s].isUndefined() || reply->error() != QNetworkReply::NoError) {
        const QString message = value[u"message"_s].toString(reply->errorString());
        throw std::runtime_error(
            (QString::fromLatin1(method) + u' ' + path + u": "_s + message).toStdString());
    }
    return value;
}

// One input source's actions: "key" or "pointer", a mouse by default.
void BrowserSession::perform(const QString& type, const QJsonArray& actions)
{
    const QJsonObject source{{u"type"_s, type}, {u"id"_s, type}, {u"actions"_s, actions}};
    send("POST", u"/actions"_s, {{u"actions"_s, QJsonArray{source}}});
}

void BrowserSession::press(const QStringList& chords)
{
    for (const QString& chord : chords) {
        QJsonArray actions; // the downs in turn, then the ups in reverse: each key in the middle
        for (qsizetype at = 0; at < chord.size(); ++at) {
            for (const QString& type : {u"keyUp"_s, u"keyDown"_s}) {
                actions.insert(at, QJsonObject{{u"type"_s, type}, {u"value"_s, chord.mid(at, 1)}});
            }
        }
        perform(u"key"_s, actions);
    }
}

void BrowserSession::mouse(const QStringList& ids, int presses, bool released)
{
    for (const QString& id : ids) {
        QJsonArray actions{QJsonObject{
            {u"type"_s, u"pointerMove"_s}, {u"origin"_s, element(id)}, {u"x"_s, 0}, {u"y"_s, 0}}};
        for (int action = 0; action < (released ? 2 * presses : presses); ++action) {
            const QString type = released && action % 2 == 1 ? u"pointerUp"_s : u"pointerDown"_s;
            actions.append(QJsonObject{{u"type"_s, type}, {u"button"_s, 0}});
        }
        perform(u"pointer"_s, actions);
    }
}

QImage BrowserSession::picture(const QString& id)
{
    const QString reference = element(id)[u"element-6066-11e4-a52e-4f735466cecf"_s].toString();
    const QJsonValue png = send("GET", u"/element/"_s + reference + u"/screenshot"_s);
    return QImage::fromData(QByteArray::fromBase64(png.toString().toLatin1()), "PNG");
}

} // namespace testing
