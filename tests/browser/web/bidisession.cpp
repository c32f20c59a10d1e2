#include "browser/web/bidisession.h"

#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QTimer>

#include <stdexcept>

namespace testing {

namespace {

// In a dark colour scheme, at one CSS pixel a pixel, in English, and the
// clipboard read without asking.
const QByteArray Preferences = R"(
user_pref("layout.css.prefers-color-scheme.content-override", 0);
user_pref("ui.systemUsesDarkTheme", 1);
user_pref("layout.css.devPixelsPerPx", "1.0");
user_pref("intl.accept_languages", "en-US");
user_pref("intl.locale.requested", "en-US");
user_pref("dom.events.testing.asyncClipboard", true);
)";

// A script's arguments as BiDi takes them, and its result as JSON.
QJsonObject Local(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return {{u"type"_s, u"boolean"_s}, {u"value"_s, value}};
    case QJsonValue::Double:
        return {{u"type"_s, u"number"_s}, {u"value"_s, value}};
    case QJsonValue::String:
        return {{u"type"_s, u"string"_s}, {u"value"_s, value}};
    case QJsonValue::Array: {
        QJsonArray items;
        for (const QJsonValue item : value.toArray()) {
            items.append(Local(item));
        }
        return {{u"type"_s, u"array"_s}, {u"value"_s, items}};
    }
    default:
        return {{u"type"_s, u"null"_s}};
    }
}
QJsonValue Plain(const QJsonValue& remote)
{
    const QString type = remote[u"type"_s].toString();
    const QJsonValue value = remote[u"value"_s];
    if (type == u"array"_s) {
        QJsonArray items;
        for (const QJsonValue item : value.toArray()) {
            items.append(Plain(item));
        }
        return items;
    }
    if (type == u"object"_s) {
        QJsonObject members;
        for (const QJsonValue member : value.toArray()) {
            members.insert(member[0].toString(), Plain(member[1]));
        }
        return members;
    }
    return value.isUndefined() ? QJsonValue(QJsonValue::Null) : value;
}

} // namespace

BidiSession::~BidiSession()
{
    try {
        command(u"browser.close"_s, {});
    } catch (const std::exception&) { // never started, or gone already
    }
    Stop(m_firefox);
}

bool BidiSession::startBrowser()
{
    QFile preferences(m_profile.filePath(u"user.js"_s));
    if (!preferences.open(QIODevice::WriteOnly) || preferences.write(Preferences) < 0) {
        return false;
    }
    preferences.close();
    m_firefox.setProcessChannelMode(QProcess::MergedChannels); // it names its address on stderr
    m_firefox.start(u"/usr/bin/firefox-esr"_s,
                    {u"--headless"_s, u"--no-remote"_s, u"--remote-debugging-port=0"_s,
                     u"--profile"_s, m_profile.path(), u"--window-size=800,600"_s,
                     // A page to start on, which takes the focus: on a blank one the
                     // address bar keeps it, and keys would reach the page as events only.
                     u"data:text/html,"_s});
    const QString address = Said(m_firefox, u"WebDriver BiDi listening on (ws://\\S+)"_s);
    if (address.isEmpty()) {
        return false;
    }
    QObject::connect(&m_socket, &QWebSocket::textMessageReceived, &m_socket,
                     [this](const QString& message) { heard(message); });
    m_socket.open(QUrl(address + u"/session"_s));
    if (!QTest::qWaitFor([&] { return m_socket.state() == QAbstractSocket::ConnectedState; })) {
        return false;
    }
    command(u"session.new"_s, {{u"capabilities"_s, QJsonObject{}}});
    command(u"session.subscribe"_s,
            {{u"events"_s, QJsonArray{u"log.entryAdded"_s, u"network.fetchError"_s}}});
    switchTo(tabs().first());
    return true;
}

QJsonObject BidiSession::command(const QString& method, const QJsonObject& parameters)
{
    const int id = ++m_lastCommand;
    m_socket.sendTextMessage(QString::fromUtf8(
        QJsonDocument({{u"id"_s, id}, {u"method"_s, method}, {u"params"_s, parameters}})
            .toJson(QJsonDocument::Compact)));
    QEventLoop loop;
    QObject::connect(&m_socket, &QWebSocket::textMessageReceived, &loop, [&] {
        if (m_answer[u"id"_s].toInt() == id) {
            loop.quit();
        }
    });
    QObject::connect(&m_socket, &QWebSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(std::chrono::minutes(1), &loop, &QEventLoop::quit);
    loop.exec();
    if (m_answer[u"id"_s].toInt() != id || m_answer[u"type"_s] == u"error"_s) {
        throw std::runtime_error((method + u": "_s + m_answer[u"error"_s].toString(u"no answer"_s) +
                                  u" "_s + m_answer[u"message"_s].toString())
                                     .toStdString());
    }
    return m_answer[u"result"_s].toObject();
}

void BidiSession::heard(const QString& message)
{
    const QJsonObject said = QJsonDocument::fromJson(message.toUtf8()).object();
    const QJsonValue event = said[u"params"_s];
    const QString url = event[u"request"_s][u"url"_s].toString();
    if (said.contains(u"id"_s)) {
        m_answer = said;
    } else if (said[u"method"_s] == u"network.fetchError"_s && url.startsWith(site())) {
        // Not a link's page; and one the browser dropped as no longer
        // needed (the page left), which it logs too, is no failed request.
        if (event[u"errorText"_s] == u"NS_BINDING_ABORTED"_s) {
            m_dropped.append(url);
        } else {
            m_errors.append(url + u": "_s + event[u"errorText"_s].toString());
        }
    } else if (event[u"level"_s] == u"error"_s) {
        m_errors.append(event[u"text"_s].toString());
    }
}

QStringList BidiSession::errors()
{
    QStringList errors = BrowserSession::errors() + std::exchange(m_errors, {});
    for (const QString& dropped : std::exchange(m_dropped, {})) {
        errors.removeIf([&](const QString& error) { return error.contains(dropped); });
    }
    return errors;
}

QJsonValue BidiSession::run(const QString& script, const QJsonArray& arguments)
{
    QJsonArray local;
    for (const QJsonValue argument : arguments) {
        local.append(Local(argument));
    }
    const QJsonObject result =
        command(u"script.callFunction"_s,
                {{u"functionDeclaration"_s, u"function () {"_s + script + u"\n}"_s},
                 {u"arguments"_s, local},
                 {u"awaitPromise"_s, true},
                 {u"userActivation"_s, true},
                 {u"target"_s, QJsonObject{{u"context"_s, m_tab}}}});
    if (result[u"type"_s] == u"exception"_s) {
        throw std::runtime_error(result[u"exceptionDetails"_s][u"text"_s].toString().toStdString());
    }
    return Plain(result[u"result"_s]);
}

QStringList BidiSession::tabs()
{
    QStringList tabs;
    const QJsonObject tree = command(u"browsingContext.getTree"_s, {{u"maxDepth"_s, 0}});
    for (const QJsonValue context : tree[u"contexts"_s].toArray()) {
        tabs.append(context[u"context"_s].toString());
    }
    return tabs;
}

QString BidiSession::address()
{
    const QJsonObject tree =
        command(u"browsingContext.getTree"_s, {{u"maxDepth"_s, 0}, {u"root"_s, m_tab}});
    return tree[u"contexts"_s][0][u"url"_s].toString();
}

void BidiSession::narrowTo(int width)
{
    // Away from the page first: on a new pixel ratio it would ask for its
    // sharper banner, a request the next page's opening would cut short.
    navigate(u"about:blank"_s);
    const QJsonValue viewport =
        width > 0 ? QJsonValue(QJsonObject{{u"width"_s, width}, {u"height"_s, PhoneHeight}})
                  : QJsonValue(QJsonValue::Null);
    command(u"browsingContext.setViewport"_s,
            {{u"context"_s, m_tab},
             {u"viewport"_s, viewport},
             {u"devicePixelRatio"_s, width > 0 ? QJsonValue(3) : QJsonValue(QJsonValue::Null)}});
}

} // namespace testing
