// The real program on a real X display (run under xvfb-run): where its window
// opens, what it tells the window manager and a Wayland compositor, what it
// shows, and how it ends; and, run by the test memcheck_session, a session
// of it under valgrind's memcheck.

#include "common/browserstandin.h"
#include "common/headlesscompositor.h"
#include "common/referencepicture.h"
#include "common/x11session.h"
#include "links/webaddresses.h"

#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

const QColor Navy(0, 0, 128);

using namespace testing;
using links::DornwickHomePage, links::VelmoraWorkshopHomePage;

// The program's desktop entry: the one .desktop file in ui/qt/freedesktop.
QFileInfo desktopEntryFile()
{
    return QDir(QStringLiteral(VELMORA_FREEDESKTOP_DIR)).entryInfoList({u"*.desktop"_s}).value(0);
}

// The window class by which docks on X11 match the window to the entry.
QString startupWMClass()
{
    return QSettings(desktopEntryFile().filePath(), QSettings::IniFormat)
        .value(u"Desktop Entry/StartupWMClass"_s)
        .toString();
}

} // namespace

class TestProgram : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(m_x.isOpen(), "no X display: run this test under xvfb-run"); }

    void cleanup() { Stop(m_program); }

    // Docks and task bars find the program's desktop entry by its window:
    // on X11 by its window class, the entry's StartupWMClass.
    void opensCentredAndFixed()
    {
        const Window window = start();
        const QRect client = m_x.clientGeometry(window);
        const QSize screen = m_x.screenSize();
        QVERIFY(qAbs(client.center().x() - screen.width() / 2) <= 1);
        QVERIFY(qAbs(client.center().y() - screen.height() / 2) <= 1);

        QCOMPARE(m_x.sizeHints(window).minimum, QSize(449, 209));
        QCOMPARE(m_x.sizeHints(window).maximum, QSize(449, 209));

        // A window of its own, not a dialog, with a title bar: close box and
        // system menu, no minimise or maximise box. Its _MOTIF_WM_HINTS give
        // functions (1) and decorations (2): of all (1), minimise (8),
        // maximise (16) and close (32) only close; of all (1), title (8), menu
        // (16), minimise (32) and maximise (64) only title and menu.
        QCOMPARE(m_x.windowTypes(window), QStringList{u"_NET_WM_WINDOW_TYPE_NORMAL"_s});
        const testing::MotifHints motif = m_x.motifHints(window);
        QCOMPARE(motif.flags & (1 | 2), 1UL | 2);
        QCOMPARE(motif.functions & (1 | 8 | 16 | 32), 32UL);
        QCOMPARE(motif.decorations & (1 | 8 | 16 | 32 | 64), 8UL | 16);

        const QList<QSize> icons = m_x.iconSizes(window);
        QVERIFY(icons.contains(QSize(16, 16)));
        QVERIFY(icons.contains(QSize(32, 32)));
        QVERIFY(!startupWMClass().isEmpty());
        QCOMPARE(m_x.windowClass(window), startupWMClass());
        closeAndExpectCleanExit(window);
    }

    // On a Wayland desktop the desktop draws the title bar, with the close
    // box only: on weston, which like GNOME draws none for Wayland windows,
    // and on sway, which like KDE does. sway floats, and so gives a title bar,
    // only windows that cannot be resized. Docks find the desktop entry by the
    // window's X11 class, or by its Wayland app id, the entry's name, when the
    // user asks for Wayland; sway tells both.
    void showsTheDesktopsTitleBarOnWayland_data()
    {
        QTest::addColumn<QString>("compositorName");
        QTest::addColumn<QString>("desktop");
        QTest::newRow("weston") << u"weston"_s << u"GNOME"_s;
        QTest::newRow("sway") << u"sway"_s << u"KDE"_s;
    }

    void showsTheDesktopsTitleBarOnWayland()
    {
        QFETCH(QString, compositorName);
        QFETCH(QString, desktop);
        testing::HeadlessCompositor compositor(compositorName);
        QVERIFY2(compositor.waitUntilReady(),
                 "the compositor did not start (Debian: weston, sway, xwayland and xhost, which "
                 "scripts/install-deps.sh --tests installs)");
        m_program.setProcessEnvironment(compositor.session(desktop));
        m_program.start(QStringLiteral(VELMORA_PROGRAM), {});
        // The strip above the client area, which starts at the first navy
        // pixel, and 8 pixels either side, where the frame ends.
        const auto titleBar = [&] {
            const QImage shot = compositor.screenshot().convertToFormat(QImage::Format_RGB32);
            for (int y = 24; y < shot.height(); ++y) {
                for (int x = 8; x < shot.width(); ++x) {
                    if (shot.pixel(x, y) == Navy.rgb()) {
                        return shot.copy(x - 8, y - 24, 449 + 16, 24);
                    }
                }
            }
            return QImage();
        };
        const QString problem =
            WaitForReference(titleBar, u"wayland/title-bar-"_s + compositorName, {}, 20s, true);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        if (compositorName != u"sway"_s) {
            return;
        }
        const auto shownAs = [&] {
            QProcess swaymsg;
            swaymsg.setProcessEnvironment(compositor.session({}));
            swaymsg.start(u"swaymsg"_s, {u"-t"_s, u"get_tree"_s});
            swaymsg.waitForFinished(5000);
            const QRegularExpressionMatch match =
                QRegularExpression(
                    u"(?s)\"name\": \"%1\",.*?\"(app_id|class)\": \"([^\"]*)\""_s.arg(Title))
                    .match(QString::fromUtf8(swaymsg.readAllStandardOutput()));
            return match.captured(1) + u' ' + match.captured(2);
        };
        QTRY_COMPARE_WITH_TIMEOUT(shownAs(), u"class "_s + startupWMClass(), 5000);
        Stop(m_program);
        QProcessEnvironment wayland = compositor.session(desktop);
        wayland.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
        m_program.setProcessEnvironment(wayland);
        m_program.start(QStringLiteral(VELMORA_PROGRAM), {});
        QTRY_COMPARE_WITH_TIMEOUT(shownAs(), u"app_id "_s + desktopEntryFile().completeBaseName(),
                                  15000);
    }

    // The real program looks as its in-process picture shows, also with
    // Qt's own -reverse and -stylesheet given: neither the program nor Qt
    // takes options from the command line. The gender frame is left out:
    // whether it shows the focus yet depends on when the window became active.
    void looksAsItsPictureShowsWhateverItsArguments()
    {
        const Window window = start(
            {u"-reverse"_s, u"-stylesheet"_s, u"/nonexistent.qss"_s, u"--male"_s, u"names.txt"_s});
        const QString problem = testing::CompareWithReference(m_x.grab(m_x.clientGeometry(window)),
                                                              u"qt/opened"_s, QRect(8, 8, 145, 49));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        closeAndExpectCleanExit(window);
    }

    // On a Wayland desktop too, where the program picks its own platform
    // and hands the browser none.
    void linkButtonsHandTheirAddressToTheDesktop()
    {
        const testing::BrowserStandIn browser;
        QProcessEnvironment desktop = browser.environment();
        desktop.insert(u"WAYLAND_DISPLAY"_s, u"wayland-of-the-desktop"_s);
        const Window window = start({}, desktop);

        m_x.click(window, DornwickButton);
        QTRY_COMPARE_WITH_TIMEOUT(browser.calls(), browser.callsFor({DornwickHomePage}), 10000);
        m_x.click(window, WorkshopButton);
        QTRY_COMPARE_WITH_TIMEOUT(
            browser.calls(), browser.callsFor({DornwickHomePage, VelmoraWorkshopHomePage}), 10000);
        closeAndExpectCleanExit(window);
    }

    // With no browser launcher anywhere on PATH the buttons do nothing
    // visible, and the program carries on as it was.
    void linkButtonsWithoutALauncherChangeNothing()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"PATH"_s, u"/nonexistent"_s);
        environment.remove(u"BROWSER"_s);
        environment.remove(u"DEFAULT_BROWSER"_s);
        const Window window = start({}, environment);
        const QRect client = m_x.clientGeometry(window);

        m_x.click(window, MaleOption);
        m_x.click(window, GenerateButton);
        QTRY_VERIFY_WITH_TIMEOUT(InkIn(m_x.grab(NameBoxInside.translated(client.topLeft()))) > 20,
                                 5000);
        // The gender frame and the name frame; the buttons may show where the focus went.
        const QRect gender = QRect(8, 8, 145, 49).translated(client.topLeft());
        const QRect name = QRect(8, 64, 297, 57).translated(client.topLeft());
        const QImage genderBefore = m_x.grab(gender);
        const QImage nameBefore = m_x.grab(name);
        m_x.click(window, DornwickButton);
        m_x.click(window, WorkshopButton);
        QTest::qWait(500);
        QCOMPARE(m_program.state(), QProcess::Running);
        QVERIFY(m_x.waitForWindow(Title, 1s).has_value());
        QCOMPARE(m_x.grab(gender), genderBefore);
        QCOMPARE(m_x.grab(name), nameBefore);
        closeAndExpectCleanExit(window);
    }

    void endsWhenTheDisplayConnectionCloses()
    {
        const Window window = start();
        m_x.killClient(window);
        QVERIFY2(m_program.waitForFinished(10000), "the program hangs without its display");
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
    }

    // Only the font cache may appear in a fresh home; the program keeps no
    // settings and writes nothing.
    void writesNoFiles()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home.path());
        for (const QString& variable : {u"CONFIG"_s, u"CACHE"_s, u"DATA"_s, u"STATE"_s}) {
            environment.remove(u"XDG_%1_HOME"_s.arg(variable));
        }
        const Window window = start({}, environment);
        m_x.click(window, FemaleOption);
        m_x.click(window, GenerateButton);
        m_x.click(window, MaleOption);
        m_x.click(window, GenerateButton);
        closeAndExpectCleanExit(window);

        QDirIterator files(home.path(), QDir::Files | QDir::Hidden | QDir::System,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QVERIFY2(path.startsWith(home.filePath(u".cache/fontconfig"_s)), qPrintable(path));
        }
    }

    void saysSoWhenThereIsNoDisplay()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"DISPLAY"_s, u":4711"_s);
        environment.remove(u"WAYLAND_DISPLAY"_s);
        environment.remove(u"QT_QPA_PLATFORM"_s);
        m_program.setProcessEnvironment(environment);
        m_program.start(QStringLiteral(VELMORA_PROGRAM), {});
        QVERIFY(m_program.waitForFinished(20000));
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit); // no abort, no core dump
        QVERIFY(m_program.exitCode() != 0);
        const QString errors = QString::fromLocal8Bit(m_program.readAllStandardError());
        QCOMPARE(errors.trimmed().count(u'\n'), 0); // one plain sentence
        QVERIFY2(errors.contains(u"needs a graphical desktop"_s), qPrintable(errors));
    }

    // Under memcheck: 200 names for each gender, both link buttons, close.
    // Memcheck must find no invalid access and no leak of our own.
    void aSessionIsCleanUnderMemcheck()
    {
        if (qEnvironmentVariable("VELMORA_MEMCHECK") != u"1"_s) {
            QSKIP("run under valgrind by the test memcheck_session");
        }
        const testing::BrowserStandIn browser;
        QProcessEnvironment environment = browser.environment();
        // Under valgrind, handing the X server a shared-memory segment for
        // the window's pixels now and then fails and breaks the connection;
        // the session sends the pixels over the socket instead.
        environment.insert(u"QT_XCB_NO_MITSHM"_s, u"1"_s);
        m_patience = 300s;
        const Window window =
            start({}, environment,
                  {u"valgrind"_s, u"--tool=memcheck"_s, u"--leak-check=full"_s,
                   u"--show-leak-kinds=definite,indirect"_s,
                   u"--errors-for-leak-kinds=definite,indirect"_s, u"--error-exitcode=99"_s,
                   u"--track-origins=yes"_s, u"--num-callers=30"_s,
                   u"--child-silent-after-fork=yes"_s, u"--log-fd=2"_s,
                   u"--suppressions="_s + QStringLiteral(VELMORA_VALGRIND_SUPPRESSIONS)});
        for (const QPoint gender : {MaleOption, FemaleOption}) {
            m_x.click(window, gender);
            for (int i = 0; i < 200; ++i) {
                m_x.click(window, GenerateButton);
            }
        }
        m_x.click(window, DornwickButton);
        m_x.click(window, WorkshopButton);
        QTRY_COMPARE_WITH_TIMEOUT(
            browser.calls(), browser.callsFor({DornwickHomePage, VelmoraWorkshopHomePage}), 180000);
        closeAndExpectCleanExit(window);
    }

private:
    // The program, started by launcher's command if given.
    Window start(const QStringList& arguments = {},
                 QProcessEnvironment environment = QProcessEnvironment::systemEnvironment(),
                 const QStringList& launcher = {})
    {
        environment.remove(u"QT_QPA_PLATFORM"_s);
        m_program.setProcessEnvironment(environment);
        const QStringList command = launcher + QStringList{QStringLiteral(VELMORA_PROGRAM)};
        m_program.start(command.first(), command.mid(1) + arguments);
        const std::optional<Window> window = m_x.waitForWindow(Title, m_patience);
        if (!window) {
            qFatal("the program's window did not appear: %s %s",
                   qPrintable(m_program.errorString()),
                   m_program.readAllStandardError().constData());
        }
        // Mapped is not yet painted: wait for the navy ground and the white
        // name box, which the first paint brings together.
        const auto painted = [&] {
            const QImage shot = m_x.grab(m_x.clientGeometry(*window));
            return shot.pixelColor(3, 3) == Navy && shot.pixelColor(100, 97) == Qt::white;
        };
        if (!Eventually(painted, m_patience, 20ms)) {
            qFatal("the program's window was never painted");
        }
        return *window;
    }

    void closeAndExpectCleanExit(Window window)
    {
        m_x.requestClose(window);
        QVERIFY(m_program.waitForFinished(static_cast<int>(m_patience.count() * 1000)));
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
        QVERIFY2(m_program.exitCode() == 0, m_program.readAllStandardError().constData());
    }

    testing::X11Session m_x;
    QProcess m_program;
    std::chrono::seconds m_patience = 15s; // for the window, its first paint and its end
};

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
