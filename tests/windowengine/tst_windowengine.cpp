// The error dispatcher: an error during Load keeps the window from showing;
// an error thrown anywhere else in event delivery stops at the application.
// A handler that fails in the window itself is played in tests/scenarios.

#include "ui/qt/appearance.h"
#include "ui/qt/windowengine.h"

#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

// A start-up form whose Load may fail the way a fill that runs out of memory would.
struct StartupForm
{
    void Form_Load()
    {
        ++loads;
        shownBeforeLoad = shown;
        if (fails) {
            throw std::bad_alloc();
        }
    }
    void show() { shown = true; }

    bool fails = false;
    int loads = 0;
    bool shown = false;
    bool shownBeforeLoad = false;
};

} // namespace

class TestWindowEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_reports.clear();
        ui::SetErrorReporter([this](const std::u16string& message) {
            m_reports.append(QString::fromStdU16String(message));
        });
    }

    void loadRunsOnceBeforeShow_data()
    {
        QTest::addColumn<bool>("fails");
        QTest::newRow("Load returns: shown") << false;
        QTest::newRow("Load fails: reported, never shown") << true;
    }

    void loadRunsOnceBeforeShow()
    {
        QFETCH(bool, fails);
        StartupForm form{fails};
        QCOMPARE(ui::LoadThenShow(form), !fails);
        QCOMPARE(form.loads, 1);
        QVERIFY(!form.shownBeforeLoad);
        QCOMPARE(form.shown, !fails);
        QCOMPARE(m_reports.size(), fails ? 1 : 0);
    }

    void programEndsWhenLoadFails_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("name"); // the name Qt goes by
        QTest::newRow("started as usual") << QStringList() << QByteArray("failing_load_program");
        QTest::newRow("started without even a program name")
            << QStringList{u"--argc-zero"_s} << QByteArray("velmora2-name-generator");
    }

    void programEndsWhenLoadFails()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, name);
        QProcess program;
        program.start(QStringLiteral(VELMORA_FAILING_LOAD_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(program.readAllStandardOutput().isEmpty()); // never shown
        const QByteArray errors = program.readAllStandardError();
        QVERIFY2(errors.contains("reported: ") && errors.contains("named: " + name + '\n'),
                 errors.constData());
    }

    void unknownErrorsAreReportedToo()
    {
        QVERIFY(!ui::Dispatch([] { throw 42; }));
        QCOMPARE(m_reports.size(), 1);
        QVERIFY(!m_reports.constFirst().isEmpty());
        QVERIFY(ui::Dispatch([] {}));
        QCOMPARE(m_reports.size(), 1);

        // A reporter that fails in turn leaves a line on stderr, and the program lives on.
        ui::SetErrorReporter(
            [](const std::u16string&) { throw std::runtime_error("no memory left"); });
        QVERIFY(!ui::Dispatch([] { throw std::runtime_error("handler failed"); }));
    }

    // The program's own reporter opens one box at a time: an error raised
    // while it is open, say by its own painting, goes to stderr only.
    void oneErrorBoxAtATime()
    {
        ui::SetErrorReporter({});
        int mostBoxes = 0;
        const auto closeBoxes = [&mostBoxes] {
            int boxes = 0;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    ++boxes;
                    box->reject();
                }
            }
            mostBoxes = std::max(mostBoxes, boxes);
        };
        const QObject scope; // no timer outlives this test
        QTimer::singleShot(0, &scope, [&] {
            QTimer::singleShot(0, &scope, closeBoxes); // closes a second box, if one opens
            QVERIFY(!ui::Dispatch([] { throw std::runtime_error("while the box is open"); }));
            closeBoxes();
        });
        QVERIFY(!ui::Dispatch([] { throw std::runtime_error("first error"); }));
        QCOMPARE(mostBoxes, 1);
        // Once that box is closed, the next error opens one again.
        mostBoxes = 0;
        QTimer::singleShot(0, &scope, closeBoxes);
        QVERIFY(!ui::Dispatch([] { throw std::runtime_error("after the box closed"); }));
        QCOMPARE(mostBoxes, 1);
    }

    // A throwing event handler outside the program's own handlers still
    // stops at the application object instead of reaching the event loop.
    void errorsInOtherEventsStopAtTheApplication()
    {
        QObject receiver;
        QMetaObject::invokeMethod(
            &receiver, [] { throw std::runtime_error("queued call failed"); },
            Qt::QueuedConnection);
        QCoreApplication::sendPostedEvents(&receiver, QEvent::MetaCall);
        QCOMPARE(m_reports.size(), 1);
        QVERIFY(m_reports.constFirst().contains(u"queued call failed"_s));
    }

private:
    QStringList m_reports;
};

int main(int argc, char* argv[])
{
    ui::EngineApplication app(argc, argv);
    ui::PrepareAppearance();
    TestWindowEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowengine.moc"
