// The Windows build under wine, on a virtual X display (run under
// xvfb-run): the real .exe as a whole, and the programs of tests/wine/checks that
// check its parts in process or read its files. The installer has a test of
// its own (tests/wine/installer).

#include "common/browserstandin.h"
#include "common/eventually.h"
#include "common/namelistfiles.h"
#include "common/referencepicture.h"
#include "common/winesession.h"
#include "common/x11session.h"
#include "links/webaddresses.h"
#include "pictures/states.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace testing;

const QString Program =
    QStringLiteral(VELMORA_WINDOWS_BUILD_DIR "/app/velmora2-name-generator.exe");

class TestWin32Program : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_x.isOpen(), "no X display: run this test under xvfb-run");
        QVERIFY2(QFile::exists(Program),
                 "no Windows build: scripts/build-windows.sh makes it (scripts/test.sh runs it)");
        QVERIFY(m_wine.begin());
    }

    void theProgramWorksAsAWhole()
    {
        const BrowserStandIn browser;
        const auto running = m_wine.start(Program, {}, browser.environment(m_wine.environment()));
        const auto stop = qScopeGuard([&] { Stop(*running); });
        const std::optional<Window> window = m_x.waitForWindow(Title, 60s);
        QVERIFY2(window, "the program's window did not appear");
        const auto shot = [&] { return m_x.grab(m_x.clientGeometry(*window)); };
        // Waits for the first paint: the window looks as its picture shows,
        // but for the gender frame, whose focus rectangle shows only once a
        // key has been pressed.
        const QString problem =
            WaitForReference(shot, u"win32/opened"_s, QRect(8, 8, 145, 49), 15s);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));

        const auto nameBoxInk = [&] { return InkIn(shot().copy(NameBoxInside)); };
        // Each gender chosen empties the name box; Generate fills it from that gender's list.
        for (const auto& [option, names] :
             {std::pair{MaleOption, maleListFile()}, {FemaleOption, femaleListFile()}}) {
            m_x.click(*window, option);
            QTRY_COMPARE_WITH_TIMEOUT(nameBoxInk(), 0, 5000);
            m_x.click(*window, GenerateButton);
            QTRY_VERIFY_WITH_TIMEOUT(nameBoxInk() > 20, 5000);
            // As a second program reads the window's controls.
            const QStringList texts = m_wine.read(u"texts"_s, Title);
            QVERIFY2(std::ranges::any_of(texts,
                                         [&](const QString& text) { return names.contains(text); }),
                     qPrintable(texts.join(u'\n')));
        }

        // wine's shell hands web addresses to winebrowser, which calls xdg-open.
        m_x.click(*window, DornwickButton);
        QTRY_COMPARE_WITH_TIMEOUT(browser.calls(), browser.callsFor({links::DornwickHomePage}),
                                  20000);
        m_x.click(*window, WorkshopButton);
        QTRY_COMPARE_WITH_TIMEOUT(
            browser.calls(),
            browser.callsFor({links::DornwickHomePage, links::VelmoraWorkshopHomePage}), 20000);

        m_x.requestClose(*window);
        QVERIFY(running->waitForFinished(20000));
        QCOMPARE(running->exitStatus(), QProcess::NormalExit);
        QCOMPARE(running->exitCode(), 0);
    }

    void aFailedLoadEndsTheProgramWithoutAWindow()
    {
        const Output failing = checkOutput(u"failing_load_program.exe"_s);
        QCOMPARE(failing.exitCode, 1);
        QVERIFY2(failing.text.contains(u"reported: "_s), qPrintable(failing.text));
    }

    // The window in process: its frame, and every scenario of tests/scenarios
    // in a time zone far from UTC.
    void theWindowInProcess()
    {
        QProcessEnvironment farFromUtc = m_wine.environment();
        farFromUtc.insert(u"TZ"_s, u"IST-5:30"_s); // read alike by wine and by the C runtime
        QCOMPARE(runChecks(u"scenarios_check.exe"_s, {}, farFromUtc), QString());
    }

    // Pictures the window takes of itself in process (tests/wine/checks/form1_pictures)
    // in the states of tests/pictures/states.h, compared with the references
    // in tests/pictures/references/win32.
    void looks_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::newRow("96dpi") << 96;
        QTest::newRow("144dpi") << 144;
    }

    void looks()
    {
        QFETCH(int, dpi);
        const std::string environment = QTest::currentDataTag();
        const auto restore = systemDpi(dpi);
        const QTemporaryDir folder;
        QCOMPARE(runChecks(u"form1_pictures.exe"_s,
                           {u"Z:"_s + folder.path(), QString::fromStdString(environment)}),
                 QString());
        QStringList problems;
        for (const pictures::State& state : pictures::States) {
            const QString picture =
                QString::fromStdString(pictures::PictureName(state, environment));
            if (!picture.isEmpty()) {
                problems += CompareOrUpdateReference(QImage(folder.filePath(picture + u".bmp"_s)),
                                                     u"win32/"_s + picture);
            }
        }
        problems.removeAll(QString());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));
    }

    // Screen readers and scales in process; then a change of the monitor's
    // scale to 144 dpi lays the window out as a start at 144 dpi does.
    void theWindowForScreenReadersAndScales()
    {
        const QString check = u"form1_reader_scale_check.exe"_s;
        QCOMPARE(runChecks(check), QString());
        const QString changed = checkOutput(check, {u"layout"_s, u"144"_s}).text;
        const auto restore = systemDpi(144);
        QCOMPARE(changed, checkOutput(check, {u"layout"_s}).text);
    }

    // The stack protector of a program built like this one: an overrun ends
    // it, its guard differs from start to start and stays the same when a
    // thread starts (tests/wine/checks/stack_guard_check).
    void theStackProtectorEndsAnOverrun()
    {
        QCOMPARE(runChecks(u"stack_guard_check.exe"_s), QString());
    }

    // Only the address the system code page holds reaches the browser.
    void theLauncherRefusesWhatTheCodePageCannotHold()
    {
        const BrowserStandIn browser;
        QCOMPARE(runChecks(u"launcher_check.exe"_s, {}, browser.environment(m_wine.environment())),
                 QString());
        QTRY_COMPARE_WITH_TIMEOUT(browser.calls(), u"1\nhttp://café.example/\n"_s, 20000);
        QTest::qWait(1000);
        QCOMPARE(browser.calls(), u"1\nhttp://café.example/\n"_s);
    }

    // Explorer's Details tab: the version resources of the program and the installer.
    void theFilesCarryTheirVersion_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("description");
        QTest::newRow("program") << Program << Title;
        QTest::newRow("installer")
            << QStringLiteral(VELMORA_WINDOWS_INSTALLER) << Title + u" Setup"_s;
    }

    void theFilesCarryTheirVersion()
    {
        QFETCH(QString, file);
        QFETCH(QString, description);
        const QString version = QStringLiteral(VELMORA_VERSION);
        const QString developers = u"The Velmora 2 Name Generator developers"_s;
        const QStringList expected = {
            version + u".0"_s,
            u"ProductName: "_s + Title,
            u"FileDescription: "_s + description,
            u"CompanyName: "_s + developers,
            u"FileVersion: "_s + version,
            u"ProductVersion: "_s + version,
            u"LegalCopyright: Copyright (c) 2026 "_s + developers,
            u"OriginalFilename: "_s + QFileInfo(file).fileName(),
        };
        QCOMPARE(checkOutput(u"version_reader.exe"_s, {u"Z:"_s + file})
                     .text.split(u'\n', Qt::SkipEmptyParts),
                 expected);
    }

private:
    // Sets the system's dots per inch, which wine takes from the user's
    // desktop settings, until what this returns goes.
    QScopeGuard<std::function<void()>> systemDpi(int dpi)
    {
        const QStringList setting{u"HKCU\\Control Panel\\Desktop"_s, u"/v"_s, u"LogPixels"_s,
                                  u"/f"_s};
        m_wine.output(u"reg"_s,
                      QStringList{u"add"_s} + setting +
                          QStringList{u"/t"_s, u"REG_DWORD"_s, u"/d"_s, QString::number(dpi)});
        return qScopeGuard(std::function<void()>(
            [this, setting] { m_wine.output(u"reg"_s, QStringList{u"delete"_s} + setting); }));
    }

    // Runs one of the check programs under wine; empty when all its checks
    // passed, else what it printed.
    QString runChecks(const QString& name, const QStringList& arguments = {},
                      const QProcessEnvironment& environment = {})
    {
        const Output checks = checkOutput(name, arguments, environment);
        const bool passed =
            checks.exitCode == 0 &&
            checks.text.contains(QRegularExpression(u"^[1-9]\\d* passed, 0 failed$"_s,
                                                    QRegularExpression::MultilineOption));
        return passed ? QString() : checks.text;
    }

    Output checkOutput(const QString& name, const QStringList& arguments = {},
                       const QProcessEnvironment& environment = {})
    {
        return m_wine.output(QStringLiteral(VELMORA_WINDOWS_BUILD_DIR "/tests/wine/checks/") + name,
                             arguments, environment);
    }

    X11Session m_x;
    WineSession m_wine{QStringLiteral(VELMORA_WINE_PREFIX)};
};

QTEST_GUILESS_MAIN(TestWin32Program)
#include "tst_win32program.moc"
