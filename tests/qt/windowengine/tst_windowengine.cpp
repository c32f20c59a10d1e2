// The Qt engine around the dispatcher (tests/core/eventdispatch): a program whose
// Load fails ends without a window, and an error thrown anywhere else in
// event delivery stops at the application. A handler that fails in the
// window itself is played in tests/qt/scenarios.

#include "ui/qt/appearance.h"
#include "ui/qt/windowengine.h"

#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace Qt::StringLiterals;

class TestWindowEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
        const QByteArray output = program.readAllStandardOutput();
        QVERIFY2(output.contains("reported: ") && output.contains("named: " + name + '\n'),
                 output.constData());
    }

    // A throwing event handler outside the program's own handlers still
    // stops at the application object instead of reaching the event loop,
    // and opens the program's error box.
    void errorsInOtherEventsStopAtTheApplication()
    {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            shown = box != nullptr ? box->text() : u"(no box)"_s;
            if (box != nullptr) {
                box->reject();
            }
        });
        QObject receiver;
        QMetaObject::invokeMethod(
            &receiver, [] { throw std::runtime_error("queued call failed"); },
            Qt::QueuedConnection);
        QCoreApplication::sendPostedEvents(&receiver, QEvent::MetaCall);
        QVERIFY2(shown.contains(u"queued call failed"_s), qPrintable(shown));
    }
};

int main(int argc, char* argv[])
{
    ui::EngineApplication app(argc, argv);
    ui::PrepareAppearance();
    TestWindowEngine test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowengine.moc"
