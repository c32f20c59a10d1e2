// A scripted session of the real program under valgrind's memcheck, on a
// virtual X display: start, 200 names for each gender, both link buttons,
// close. Memcheck must find no invalid access and no leak of our own.

#include "common/browserstandin.h"
#include "common/x11session.h"
#include "links/webaddresses.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

using namespace testing;
constexpr int NamesPerGender = 200;

QString readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class TestSession : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptedSessionIsClean()
    {
        testing::X11Session x;
        QVERIFY2(x.isOpen(), "no X display: run this test under xvfb-run");
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());

        // The link buttons open nothing real.
        const testing::BrowserStandIn browser;
        QProcessEnvironment environment = browser.environment();
        environment.remove(u"QT_QPA_PLATFORM"_s);
        // Under valgrind, handing the X server a shared-memory segment for
        // the window's pixels now and then fails and breaks the connection;
        // the session sends the pixels over the socket instead.
        environment.insert(u"QT_XCB_NO_MITSHM"_s, u"1"_s);

        const QString log = scratch.filePath(u"memcheck.log"_s);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(
            u"valgrind"_s,
            {u"--tool=memcheck"_s, u"--leak-check=full"_s, u"--show-leak-kinds=definite,indirect"_s,
             u"--errors-for-leak-kinds=definite,indirect"_s, u"--error-exitcode=99"_s,
             u"--track-origins=yes"_s, u"--num-callers=30"_s, u"--child-silent-after-fork=yes"_s,
             u"--suppressions="_s + QStringLiteral(VELMORA_VALGRIND_SUPPRESSIONS),
             u"--log-file="_s + log, QStringLiteral(VELMORA_PROGRAM)});
        QVERIFY(program.waitForStarted(10000));
        const std::optional<Window> window = x.waitForWindow(Title, 180s);
        QVERIFY2(window.has_value(), qPrintable(readFile(log)));

        for (const QPoint gender : {MaleOption, FemaleOption}) {
            x.click(*window, gender);
            for (int i = 0; i < NamesPerGender; ++i) {
                x.click(*window, GenerateButton);
            }
        }
        x.click(*window, DornwickButton);
        x.click(*window, WorkshopButton);
        QTRY_COMPARE_WITH_TIMEOUT(
            browser.calls(),
            browser.callsFor({links::DornwickHomePage, links::VelmoraWorkshopHomePage}), 180000);

        x.requestClose(*window);
        QVERIFY(program.waitForFinished(300000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(program.exitCode() == 0, qPrintable(readFile(log)));
    }
};

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
