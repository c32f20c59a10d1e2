// The Windows installer under wine, on a virtual X display (run under
// xvfb-run). Silently: for everyone and for the current user, with the
// program running and not. Then as a person uses it, with the keyboard
// alone (xdotool), in the order a person meets it: cancelling, a plain
// install and what its Finish page starts, an install while the program
// runs, and an uninstall while it runs. Pages and processes are read by
// tests/wine/checks/window_reader.

#include "common/eventually.h"
#include "common/winesession.h"
#include "common/x11session.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;
using namespace testing;

namespace {

const QString Setup = Title + u" Setup"_s;
const QString Uninstall = Title + u" Uninstall"_s;
const QString Running = Title + u" is running. Close it, then choose Retry."_s;
const QString Installer = QStringLiteral(VELMORA_WINDOWS_INSTALLER);
const QString InstallFolder = u"C:\\Program Files\\Velmora 2 Name Generator"_s;
const QString Drive = QStringLiteral(VELMORA_WINE_PREFIX "/drive_c");
const QString Installed = Drive + u"/Program Files/"_s + Title;
const QString Shortcut =
    Drive + u"/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora 2 Name Generator.lnk"_s;
const QString ForEveryone =
    u"HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora2NameGenerator"_s;
const QString ForTheUser = u"HKCU"_s + ForEveryone.mid(4);

} // namespace

class TestInstaller : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_x.isOpen(), "no X display: run this test under xvfb-run");
        QVERIFY2(QFile::exists(Installer),
                 "no Windows build: scripts/build-windows.sh makes it (scripts/test.sh runs it)");
        QVERIFY(m_wine.begin());
    }

    // Installed for everyone, left whole while the program runs, and removed.
    void installsAndUninstallsSilently()
    {
        const auto installedWhole = [&] {
            QFile installedProgram(Installed + u"/velmora2-name-generator.exe"_s);
            QFile builtProgram(
                QStringLiteral(VELMORA_WINDOWS_BUILD_DIR "/app/velmora2-name-generator.exe"));
            const QString entry = m_wine.registryEntry(ForEveryone);
            return installedProgram.open(QIODevice::ReadOnly) &&
                   builtProgram.open(QIODevice::ReadOnly) &&
                   installedProgram.readAll() == builtProgram.readAll() &&
                   QFile::exists(Shortcut) && entry.contains(u"Velmora 2 Name Generator"_s) &&
                   entry.contains(u"uninstall.exe"_s);
        };

        QCOMPARE(m_wine.output(Installer, {u"/S"_s}).exitCode, 0);
        QVERIFY(installedWhole());

        const auto program = m_wine.start(Installed + u"/velmora2-name-generator.exe"_s);
        const std::optional<Window> window = m_x.waitForWindow(Title, 60s);
        QVERIFY(window);
        QCOMPARE(m_wine.output(Installer, {u"/S"_s}).exitCode, 2);
        // Run in place (_?=, unquoted to the end of the line, so given word by
        // word), the uninstaller gives its own exit code.
        const QStringList inPlace = QStringList{u"/S"_s} + (u"_?="_s + InstallFolder).split(u' ');
        QCOMPARE(m_wine.output(Installed + u"/uninstall.exe"_s, inPlace).exitCode, 2);
        QVERIFY2(installedWhole(), "nothing changes while the program runs");
        m_x.requestClose(*window);
        QVERIFY(program->waitForFinished(20000));

        // The uninstaller copies itself away and runs from there.
        QCOMPARE(m_wine.output(Installed + u"/uninstall.exe"_s, {u"/S"_s}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(Installed).exists(), 30000);
        QVERIFY(!QFile::exists(Shortcut));
        QCOMPARE(m_wine.registryEntry(ForEveryone), QString());
    }

    // For the current user alone: the user's own programs folder and hive;
    // upgraded in place.
    void installsSilentlyForTheCurrentUser()
    {
        QCOMPARE(m_wine.output(Installer, {u"/S"_s, u"/CurrentUser"_s}).exitCode, 0);
        QCOMPARE(m_wine.registryEntry(ForEveryone), QString());
        const QString entry = m_wine.registryEntry(ForTheUser);
        const QRegularExpressionMatch location =
            QRegularExpression(
                u"InstallLocation\\s+REG_SZ\\s+C:(\\\\users\\\\[^\\r\\n]+\\\\AppData\\\\Local\\\\Programs\\\\Velmora 2 Name Generator)"_s)
                .match(entry);
        QVERIFY2(location.hasMatch(), qPrintable(entry));
        const QString installed = Drive + location.captured(1).replace(u'\\', u'/');
        QVERIFY(QFile::exists(installed + u"/velmora2-name-generator.exe"_s));
        // An upgrade finds the earlier install's hive and folder and replaces it there.
        QCOMPARE(m_wine.output(Installer, {u"/S"_s}).exitCode, 0);
        QCOMPARE(m_wine.registryEntry(ForEveryone), QString());
        QCOMPARE(m_wine.registryEntry(ForTheUser), entry);

        QCOMPARE(m_wine.output(installed + u"/uninstall.exe"_s, {u"/S"_s}).exitCode, 0);
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(installed).exists(), 30000);
        QCOMPARE(m_wine.registryEntry(ForTheUser), QString());
    }

    void cancellingInstallsNothing()
    {
        const auto setup = m_wine.start(Installer);
        QVERIFY(answer(Setup, u"License Agreement"_s, "Escape"));
        QVERIFY(setup->waitForFinished(30000));
        QVERIFY(!QDir(Installed).exists());
        QCOMPARE(m_wine.registryEntry(ForEveryone), QString());
    }

    // The Finish page starts the installed program through Explorer, so not
    // as a child of the installer nor with its administrator rights.
    void aPlainInstallRunsTheProgramFromItsFinishPage()
    {
        QVERIFY(installThroughEveryPage());
        QVERIFY(m_x.waitForWindow(Title, 60s));
        const QStringList program = m_wine.read(u"process"_s, Title);
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
        QVERIFY(installThroughEveryPage(program));
    }

    // So does the uninstaller, which then removes the program, its folder
    // and its entry in Apps & features. (It runs from a copy of itself in
    // the temporary folder, so the process started here ends at once.)
    void anUninstallWaitsForTheProgramToClose()
    {
        const std::optional<Window> program = m_x.waitForWindow(Title, 60s);
        QVERIFY(program);
        const auto launcher = m_wine.start(Installed + u"/uninstall.exe"_s);
        QVERIFY(launcher->waitForFinished(30000));
        QVERIFY(goOnOnceTheProgramIsClosed(Uninstall, *program));
        QVERIFY(
            answer(Uninstall, u"Remove Velmora 2 Name Generator from your computer."_s, "Return"));
        QVERIFY(answer(Uninstall, u"Uninstallation Complete"_s, "Return"));
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(Installed).exists(), 30000);
        QCOMPARE(m_wine.registryEntry(ForEveryone), QString());
    }

private:
    // title asks for the program to be closed; Retry while it still runs asks
    // again, and once it is closed, Retry goes on.
    [[nodiscard]] bool goOnOnceTheProgramIsClosed(const QString& title, Window program)
    {
        if (!answer(title, Running, "Return")) {
            return false;
        }
        // Retry while it runs asks again: once the box has closed, the next
        // window of the title is the box again, however long a busy machine
        // takes to show it, and not a page of the installer.
        QTest::qWait(2000);
        QStringList texts;
        Eventually([&] { return !(texts = m_wine.read(u"texts"_s, title)).isEmpty(); }, 30s, 250ms);
        if (!texts.contains(Running)) {
            qWarning().noquote() << "Retry went on while the program still ran:" << texts;
            return false;
        }
        m_x.requestClose(program);
        return Eventually([&] { return m_wine.read(u"process"_s, Title).isEmpty(); }, 20s, 250ms) &&
               press(title, "Return");
    }

    // The installer run through every page with Enter, for everyone in
    // Program Files, ending on the Finish page with its Run box ticked and
    // status 0; first, while program runs, through its request to close it.
    [[nodiscard]] bool installThroughEveryPage(std::optional<Window> program = {})
    {
        const auto setup = m_wine.start(Installer);
        if ((program && !goOnOnceTheProgramIsClosed(Setup, *program)) ||
            !answer(Setup, u"License Agreement"_s, "Return")) {
            return false;
        }
        m_installerId = m_wine.read(u"process"_s, Setup).value(1).section(u' ', 1);
        return answer(Setup, u"[x] Install for anyone using this computer"_s, "Return") &&
               answer(Setup, InstallFolder, "Return") &&
               answer(Setup, u"[x] &Run Velmora 2 Name Generator"_s, "Return") &&
               setup->waitForFinished(30000) && setup->exitCode() == 0;
    }

    // Waits for the window called title to show text, then presses key
    // there. If it never does, says what it shows instead.
    [[nodiscard]] bool answer(const QString& title, const QString& text, const char* key)
    {
        QStringList texts;
        if (!Eventually([&] { return (texts = m_wine.read(u"texts"_s, title)).contains(text); },
                        60s, 250ms)) {
            qWarning().noquote() << title << "never showed" << text << "but" << texts;
            return false;
        }
        return press(title, key);
    }

    // A key pressed in the window whose title starts with title.
    [[nodiscard]] bool press(const QString& title, const char* key)
    {
        return m_wine.run(u"xdotool"_s, {u"search"_s, u"--limit"_s, u"1"_s, u"--onlyvisible"_s,
                                         u"--name"_s, u'^' + title, u"windowfocus"_s, u"key"_s,
                                         QString::fromLatin1(key)}) == 0;
    }

    X11Session m_x;
    WineSession m_wine{QStringLiteral(VELMORA_WINE_PREFIX)};
    QString m_installerId;
};

QTEST_GUILESS_MAIN(TestInstaller)
#include "tst_installer.moc"
