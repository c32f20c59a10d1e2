#include "common/winesession.h"

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace testing {

namespace {

int ExitCode(QProcess& process, std::chrono::milliseconds timeout)
{
    if (!process.waitForFinished(static_cast<int>(timeout.count()))) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

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
    run(u"wineserver"_s, {u"-k"_s}, 30s); // fails when nothing was left running
    const bool made = QFile::exists(m_environment.value(u"WINEPREFIX"_s) + u"/system.reg"_s) ||
                      run(u"wineboot"_s, {u"--init"_s}, 300s) == 0;
    if (!made || run(u"wineserver"_s, {u"-w"_s}, 300s) != 0 ||
        run(u"wineserver"_s, {u"-p"_s}, 30s) != 0) {
        return false;
    }
    // An install's folders, for everyone and for each user, and its shortcut;
    // its registry entries go with the known state.
    const QString drive = m_environment.value(u"WINEPREFIX"_s) + u"/drive_c"_s;
    const QString name = u"/Velmora 2 Name Generator"_s;
    QDir(drive + u"/Program Files"_s + name).removeRecursively();
    for (const QString& user :
         QDir(drive + u"/users"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QDir(drive + u"/users/"_s + user + u"/AppData/Local/Programs"_s + name).removeRecursively();
    }
    QFile::remove(drive + u"/ProgramData/Microsoft/Windows/Start Menu/Programs"_s + name +
                  u".lnk"_s);
    return output(u"reg"_s, {u"import"_s, u"Z:"_s + QStringLiteral(VELMORA_PREFIX_STATE)})
               .exitCode == 0;
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

Output WineSession::output(const QString& file, const QStringList& arguments,
                           const QProcessEnvironment& environment,
                           std::chrono::milliseconds timeout) const
{
    const auto process = start(file, arguments, environment);
    const int exitCode = ExitCode(*process, timeout);
    return {exitCode, QString::fromUtf8(process->readAllStandardOutput()).remove(u'\r')};
}

int WineSession::run(const QString& command, const QStringList& arguments,
                     std::chrono::milliseconds timeout) const
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(command, arguments);
    return ExitCode(process, timeout);
}

QStringList WineSession::read(const QString& what, const QString& title) const
{
    return output(QStringLiteral(VELMORA_WINDOWS_BUILD_DIR "/tests/wine/checks/window_reader.exe"),
                  {what, title}, {}, 30s)
        .text.split(u'\n', Qt::SkipEmptyParts);
}

QString WineSession::registryEntry(const QString& key) const
{
    const Output query = output(u"reg"_s, {u"query"_s, key}, {}, 30s);
    return query.exitCode == 0 ? query.text : QString();
}

} // namespace testing
