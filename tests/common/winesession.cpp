#include "common/winesession.h"

#include <QFile>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace testing {

WineSession::WineSession(const QString& prefix)
{
    m_environment.insert(u"WINEPREFIX"_s, prefix);
    m_environment.insert(u"WINEDEBUG"_s, u"-all"_s);
    // No offers to download wine's .NET and HTML engines.
    m_environment.insert(u"WINEDLLOVERRIDES"_s, u"mscoree,mshtml="_s);
}

WineSession::~WineSession()
{
    run(u"wineserver"_s, {u"-k"_s}, 30s);
}

bool WineSession::begin() const
{
    const bool made = QFile::exists(m_environment.value(u"WINEPREFIX"_s) + u"/system.reg"_s) ||
                      run(u"wineboot"_s, {u"--init"_s}, 300s) == 0;
    return made && run(u"wineserver"_s, {u"-w"_s}, 300s) == 0 &&
           run(u"wineserver"_s, {u"-p"_s}, 30s) == 0;
}

std::unique_ptr<QProcess> WineSession::start(const QString& file, const QStringList& arguments,
                                             const QProcessEnvironment& environment) const
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(environment.isEmpty() ? m_environment : environment);
    process->start(u"wine"_s, QStringList{file} + arguments);
    if (!process->waitForStarted(10000)) {
        qFatal("wine did not start");
    }
    return process;
}

int WineSession::run(const QString& command, const QStringList& arguments,
                     std::chrono::milliseconds timeout) const
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(command, arguments);
    if (!process.waitForFinished(static_cast<int>(timeout.count()))) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

QStringList WineSession::read(const QString& what, const QString& title) const
{
    const auto reader =
        start(QStringLiteral(VELMORA_WINDOWS_BUILD_DIR "/tests/win32/window_reader.exe"),
              {what, title});
    reader->waitForFinished(30000);
    return QString::fromUtf8(reader->readAllStandardOutput())
        .remove(u'\r')
        .split(u'\n', Qt::SkipEmptyParts);
}

QString WineSession::registryEntry(const QString& key) const
{
    QProcess query;
    query.setProcessEnvironment(m_environment);
    query.start(u"wine"_s, {u"reg"_s, u"query"_s, key});
    query.waitForFinished(30000);
    return query.exitCode() == 0 ? QString::fromUtf8(query.readAllStandardOutput()) : QString();
}

} // namespace testing
