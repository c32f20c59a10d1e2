#include "browser/web/browsersession.h"

#include <QRegularExpression>

#include <stdexcept>

namespace testing {

QString Said(QProcess& process, const QString& pattern)
{
    const QRegularExpression saying(pattern);
    QString said;
    while (!saying.match(said).hasMatch() && process.waitForReadyRead(20000)) {
        said += QString::fromUtf8(process.readAllStandardOutput());
    }
    return saying.match(said).captured(1);
}

BrowserSession::~BrowserSession()
{
    Stop(m_server);
}

bool BrowserSession::begin(const QString& folder)
{
    m_server.start(u"/usr/bin/python3"_s, {u"-u"_s, u"" VELMORA_SITE_SERVER ""_s, folder});
    const QString port = Said(m_server, u"port ([1-9][0-9]*)"_s);
    m_site = u"http://127.0.0.1:%1/"_s.arg(port);
    if (port.isEmpty() || !startBrowser()) {
        return false;
    }
    m_firstTab = tabs().first();
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

QStringList BrowserSession::errors()
{
    static const QRegularExpression refused(u"\"[A-Z]+ \\S+ HTTP/[0-9.]+\" [45][0-9][0-9]"_s);
    served(); // brings the log up to date
    QStringList lines;
    for (const QRegularExpressionMatch& match :
         refused.globalMatch(m_serverLog, m_serverLogChecked)) {
        lines.append(u"the server answered "_s + match.captured());
    }
    m_serverLogChecked = m_serverLog.size();
    return lines;
}

QJsonValue BrowserSession::devTools(const QString& command, const QJsonObject&)
{
    throw std::logic_error((u"no DevTools for "_s + command).toStdString());
}

QImage BrowserSession::picture(const QString& id)
{
    throw std::logic_error((u"no pictures of "_s + id).toStdString());
}

void BrowserSession::closeOtherTabs()
{
    for (const QString& tab : tabs()) {
        if (tab != m_firstTab) {
            switchTo(tab);
            closeTab();
        }
    }
    switchTo(m_firstTab);
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
        perform({{u"type"_s, u"key"_s}, {u"id"_s, u"keyboard"_s}, {u"actions"_s, actions}});
    }
}

// At the middle of each element, in whole pixels of the viewport, as
// WebDriver finds an element's middle itself.
void BrowserSession::pointer(const QString& type, const QStringList& ids, int presses,
                             bool released)
{
    for (const QString& id : ids) {
        const QJsonValue middle = run(
            u"const box = document.getElementById(arguments[0]).getBoundingClientRect();"
            u"return [Math.floor(box.x + box.width / 2), Math.floor(box.y + box.height / 2)];"_s,
            {id});
        QJsonArray actions{
            QJsonObject{{u"type"_s, u"pointerMove"_s}, {u"x"_s, middle[0]}, {u"y"_s, middle[1]}}};
        for (int action = 0; action < (released ? 2 * presses : presses); ++action) {
            const QString step = released && action % 2 == 1 ? u"pointerUp"_s : u"pointerDown"_s;
            actions.append(QJsonObject{{u"type"_s, step}, {u"button"_s, 0}});
        }
        perform({{u"type"_s, u"pointer"_s},
                 {u"id"_s, type},
                 {u"parameters"_s, QJsonObject{{u"pointerType"_s, type}}},
                 {u"actions"_s, actions}});
    }
}

} // namespace testing
