// The Windows installer as a person uses it, with the keyboard alone
// (xdotool), under wine on a virtual X display (run under xvfb-run), in the
// order a person meets it: cancelling, a plain install and what its Finish
// page starts, an install while the program runs, and an uninstall while
// it runs. Pages and processes are read by tests/win32/window_reader.

#include "common/x11session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QString Title = u"Velmora 2 Name Generator"_s;
const QString Setup = Title + u" Setup"_s;
const QString Uninstall = Title + u" Uninstall"_s;
const QString Running = Title + u" is running. Close it, then choose Retry."_s;
const QString InstallFolder = u"C:\\Program Files\\Velmora 2 Name Generator"_s;
const QString Installed = QStringLiteral(VELMORA_WINE_PREFIX "/drive_c/Program Files/") + Title;
const QString UninstallKey =
    u"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora2NameGenerator"_s;

} // namespace

class TestInstaller : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_x.isOpen(), "no X display: run this test under xvfb-run");
        QVERIFY2(QFile::exists(QStringLiteral(VELMORA_WINDOWS_INSTALLER)),
                 "no Windows build: scripts/build-windows.sh makes it (scripts/test.sh runs it)");
        m_environment.insert(u"WINEPREFIX"_s, QStringLiteral(VELMORA_WINE_PREFIX));
        m_environment.insert(u"WINEDEBUG"_s, u"-all"_s);
        m_environment.insert(u"WINEDLLOVERRIDES"_s, u"mscoree,mshtml="_s);
        if (!QFile::exists(QStringLiteral(VELMORA_WINE_PREFIX "/system.reg"))) {
            QCOMPARE(run({u"wineboot"_s, u"--init"_s}), 0);
        }
        QCOMPARE(run({u"wineserver"_s, u"-w"_s}), 0);
        QCOMPARE(run({u"wineserver"_s, u"-p"_s}), 0);
        // What an earlier run may have left behind.
        if (QFile::exists(Installed + u"/uninstall.exe"_s)) {
            run({u"wine"_s, Installed + u"/uninstall.exe"_s, u"/S"_s});
            QTRY_VERIFY_WITH_TIMEOUT(!QDir(Installed).exists(), 30000);
        }
    }

    void cleanupTestCase() { run({u"wineserver"_s, u"-k"_s}); }

    void cancellingInstallsNothing()
    {
        const auto setup = start(QStringLiteral(VELMORA_WINDOWS_INSTALLER));
        QVERIFY(answer(Setup, u"License Agreement"_s, "Escape"));
        QVERIFY(setup->waitForFinished(30000));
        QVERIFY(!QDir(Installed).exists());
        QCOMPARE(run({u"wine"_s, u"reg"_s, u"query"_s, UninstallKey}), 1);
    }

    // The Finish page starts the installed program through Explorer, so not
    // as a child of the installer nor with its administrator rights.
    void aPlainInstallRunsTheProgramFromItsFinishPage()
    {
        const auto setup = start(QStringLiteral(VELMORA_WINDOWS_INSTALLER));
        QVERIFY(installThroughEveryPage());
        QVERIFY(setup->waitForFinished(30000));
        QCOMPARE(setup->exitCode(), 0);
        QVERIFY(m_x.waitForWindow(Title, 60s));
        const QStringList program = read(u"process"_s, Title);
        QCOMPARE(program.value(0),
                 u"program "_s + InstallFolder + u"\\velmora2-name-generator.exe"_s);
        QVERIFY2(!program.value(2).startsWith(u"parent "_s + m_installerId + u' '),
                 qPrintable(program.join(u'\n')));
        // wine hands an elevated process's rights down to all it starts,
        // Explorer's too, so what rights the program has shows on Windows only.
        QVERIFY(QFile::exists(Installed + u"/uninstall.exe"_s));
    }

    // The installer waits while the program runs, and goes on once it is closed.
    void anInstallWaitsForTheProgramToClose()
    {
        const std::optional<Window> program = m_x.waitForWindow(Title, 10s);
        QVERIFY(program);
        const auto setup = start(QStringLiteral(VELMORA_WINDOWS_INSTALLER));
        QVERIFY(goOnOnceTheProgramIsClosed(Setup, *program));
        QVERIFY(installThroughEveryPage());
        QVERIFY(setup->waitForFinished(30000));
        QCOMPARE(setup->exitCode(), 0);
    }

    // So does the uninstaller, which then removes the program, its folder
    // and its entry in Apps & features. (It runs from a copy of itself in
    // the temporary folder, so the process started here ends at once.)
    void anUninstallWaitsForTheProgramToClose()
    {
        const std::optional<Window> program = m_x.waitForWindow(Title, 60s);
        QVERIFY(program);
        const auto launcher = start(Installed + u"/uninstall.exe"_s);
        QVERIFY(launcher->waitForFinished(30000));
        QVERIFY(goOnOnceTheProgramIsClosed(Uninstall, *program));
        QVERIFY(answer(Uninstall, u"Remove Velmora 2 Name Generator from your computer."_s,
                       "Return"));
        QVERIFY(answer(Uninstall, u"Uninstallation Complete"_s, "Return"));
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(Installed).exists(), 30000);
        QCOMPARE(run({u"wine"_s, u"reg"_s, u"query"_s, UninstallKey}), 1);
    }

private:
    // title asks for the program to be closed; Retry while it still runs asks
    // again, and once it is closed, Retry goes on.
    [[nodiscard]] bool goOnOnceTheProgramIsClosed(const QString& title, Window program)
    {
        if (!answer(title, Running, "Return")) {
            return false;
        }
        QTest::qWait(2000);
        if (!read(u"texts"_s, title).contains(Running)) {
            qWarning("Retry went on while the program still ran");
            return false;
        }
        m_x.requestClose(program);
        return eventually([&] { return read(u"process"_s, Title).isEmpty(); }, 20s) &&
               press(title, "Return");
    }

    // Every page with Enter, for everyone in Program Files, ending on the
    // Finish page with its Run box ticked.
    [[nodiscard]] bool installThroughEveryPage()
    {
        if (!answer(Setup, u"License Agreement"_s, "Return")) {
            return false;
        }
        m_installerId = read(u"process"_s, Setup).value(1).section(u' ', 1);
        return answer(Setup, u"[x] Install for anyone using this computer"_s, "Return") &&
               answer(Setup, InstallFolder, "Return") &&
               answer(Setup, u"[x] &Run Velmora 2 Name Generator"_s, "Return");
    }

    std::unique_ptr<QProcess> start(const QString& file)
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(m_environment);
        process->start(u"wine"_s, {file});
        process->waitForStarted();
        return process;
    }

    int run(const QStringList& command)
    {
        QProcess process;
        process.setProcessEnvironment(m_environment);
        process.start(command.first(), command.mid(1));
        process.waitForFinished(300000);
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // What window_reader tells of the window whose title starts with title.
    QStringList read(const QString& what, const QString& title)
    {
        QProcess reader;
        reader.setProcessEnvironment(m_environment);
        reader.start(u"wine"_s,
                     {QStringLiteral(VELMORA_WINDOWS_BUILD_DIR "/tests/win32/window_reader.exe"),
                      what, title});
        reader.waitForFinished(30000);
        return QString::fromUtf8(reader.readAllStandardOutput())
            .remove(u'\r')
            .split(u'\n', Qt::SkipEmptyParts);
    }

    // Waits for the window whose title starts with title to show text, then
    // presses key there. If it never does, says what it shows instead.
    [[nodiscard]] bool answer(const QString& title, const QString& text, const char* key)
    {
        QStringList texts;
        if (!eventually([&] { return (texts = read(u"texts"_s, title)).contains(text); }, 60s)) {
            qWarning().noquote() << title << "never showed" << text << "but" << texts;
            return false;
        }
        return press(title, key);
    }

    // Whether condition comes to hold within timeout. Each asking starts a
    // wine program, which takes a while, so a clock keeps the time: QTRY's
    // macros count their own steps only.
    template <typename Condition>
    static bool eventually(Condition condition, std::chrono::milliseconds timeout)
    {
        const QDeadlineTimer deadline(timeout);
        while (!condition()) {
            if (deadline.hasExpired()) {
                return false;
            }
            QTest::qWait(250);
        }
        return true;
    }

    // A key pressed in the window whose title starts with title.
    [[nodiscard]] bool press(const QString& title, const char* key)
    {
        return run({u"xdotool"_s, u"search"_s, u"--limit"_s, u"1"_s, u"--onlyvisible"_s,
                    u"--name"_s, u'^' + title, u"windowfocus"_s, u"key"_s,
                    QString::fromLatin1(key)}) == 0;
    }

    testing::X11Session m_x;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QString m_installerId;
};

QTEST_GUILESS_MAIN(TestInstaller)
#include "tst_installer.moc"
