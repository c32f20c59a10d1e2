#include "browser/web/classicsession.h"

#include <QEventLoop>
#include <QJsonDocument>
#include <QNetworkReply>
#include <QTcpServer>

#include <stdexcept>

namespace testing {

namespace {

// As a person's browser, in a dark colour scheme, less what reaches for
// the network of its own; Chromium keeps its console for errors().
const QByteArray ChromiumCapabilities = R"({"capabilities": {"alwaysMatch": {
    "goog:loggingPrefs": {"browser": "ALL"},
    "goog:chromeOptions": {
        "binary": "/usr/bin/chromium",
        "args": ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--lang=en-US", "--window-size=800,600", "--force-device-scale-factor=1",
                 "--blink-settings=preferredColorScheme=0"]}}}})";
const QByteArray WebKitCapabilities = R"({"capabilities": {"alwaysMatch": {
    "webkitgtk:browserOptions": {
        "binary": "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser",
        "args": ["--automation", "--dark-mode", "--javascript-can-access-clipboard=true"]}}}})";

} // namespace

ClassicSession::~ClassicSession()
{
    try {
        send("DELETE", {});
    } catch (const std::exception&) { // never started, or gone already
    }
    Stop(m_driver);
}

bool ClassicSession::startBrowser()
{
    const bool chromium = m_engine == Engine::Chromium;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_DATA_HOME"_s, m_data.filePath(u"data"_s));
    environment.insert(u"XDG_CACHE_HOME"_s, m_data.filePath(u"cache"_s));
    m_driver.setProcessEnvironment(environment);
    // WebKitWebDriver cannot take a free port itself and say which.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 free = probe.serverPort();
    probe.close();
    m_driver.start(chromium ? u"/usr/bin/chromedriver"_s : u"/usr/bin/WebKitWebDriver"_s,
                   {u"--port=%1"_s.arg(free)});
    m_session = u"http://127.0.0.1:%1/session"_s.arg(free);
    const QJsonObject capabilities =
        QJsonDocument::fromJson(chromium ? ChromiumCapabilities : WebKitCapabilities).object();
    QJsonValue session;
    const bool started = Eventually(
        [&] {
            try {
                session = send("POST", {}, capabilities);
                return true;
            } catch (const std::exception&) { // not listening yet
                return false;
            }
        },
        std::chrono::seconds(20));
    if (!started) {
        return false;
    }
    m_session += u"/"_s + session[u"sessionId"_s].toString();
    if (chromium) {
        devTools(u"Browser.grantPermissions"_s,
                 {{u"permissions"_s, QJsonArray{u"clipboardReadWrite"_s}}});
    }
    return true;
}

void ClassicSession::navigate(const QString& address)
{
    send("POST", u"/url"_s, {{u"url"_s, address}});
    if (m_frameWidth > 0) { // the page again, in a frame of that width, and driven there
        run(u"const frame = document.createElement('iframe');"
            u"frame.src = location.href;"
            u"frame.style = `width: ${arguments[0]}px; height: ${arguments[1]}px; border: 0`;"
            u"document.documentElement.replaceChildren(document.createElement('body'));"
            u"document.body.append(frame);"_s,
            {m_frameWidth, PhoneHeight});
        send("POST", u"/frame"_s, {{u"id"_s, 0}});
    }
}

void ClassicSession::narrowTo(int width)
{
    if (!hasDevTools()) {
        m_frameWidth = width; // MiniBrowser's window is never narrower than 447 pixels
        return;
    }
    if (width == 0) {
        devTools(u"Emulation.clearDeviceMetricsOverride"_s);
    } else {
        devTools(u"Emulation.setDeviceMetricsOverride"_s, {{u"width"_s, width},
                                                           {u"height"_s, PhoneHeight},
                                                           {u"deviceScaleFactor"_s, 3},
                                                           {u"mobile"_s, true}});
    }
    devTools(u"Emulation.setTouchEmulationEnabled"_s, {{u"enabled"_s, width > 0}});
}

QStringList ClassicSession::errors()
{
    QStringList lines = BrowserSession::errors();
    if (hasDevTools()) {
        for (const QJsonValue entry :
             send("POST", u"/se/log"_s, {{u"type"_s, u"browser"_s}}).toArray()) {
            if (entry[u"level"_s] == u"SEVERE"_s) {
                lines.append(entry[u"message"_s].toString());
            }
        }
    }
    return lines;
}

QJsonValue ClassicSession::send(const QByteArray& method, const QString& path,
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

QImage ClassicSession::picture(const QString& id)
{
    const QJsonValue element =
        send("POST", u"/element"_s, {{u"using"_s, u"css selector"_s}, {u"value"_s, u"#"_s + id}});
    const QString reference = element[u"element-6066-11e4-a52e-4f735466cecf"_s].toString();
    const QJsonValue png = send("GET", u"/element/"_s + reference + u"/screenshot"_s);
    return QImage::fromData(QByteArray::fromBase64(png.toString().toLatin1()), "PNG");
}

} // namespace testing
