// Plays every scenario of scenarios.h on the Qt window, offscreen, one data
// row each: the program's own launcher hands pages to a stand-in browser,
// errors open the program's own message box, and announcements are read
// from the notification that screen readers are shown. In a screen
// reader's session, announcementEvents also hears the events themselves.

#include "common/form1controls.h"
#include "common/namelistfiles.h"
#include "common/scriptedrandom.h"
#include "common/urlhandlerstandin.h"
#include "links/openwebpage.h"
#include "scenarios/scenarios.h"
#include "scenarios/stepcheck.h"
#include "ui/qt/announcer.h"
#include "ui/qt/appearance.h"

#include <QAccessible>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>
#include <QTime>
#include <QTimer>

#include <array>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;
namespace sc = scenarios;

namespace {

void press(QWidget* focus, sc::Key key)
{
    // In the order of sc::Key; Enter is the keypad's.
    static constexpr std::array keys{Qt::Key{},      Qt::Key_Tab,  Qt::Key_Backtab, Qt::Key_Left,
                                     Qt::Key_Right,  Qt::Key_Up,   Qt::Key_Down,    Qt::Key_Space,
                                     Qt::Key_Return, Qt::Key_Enter};
    const Qt::Key code = keys.at(static_cast<std::size_t>(key));
    const Qt::KeyboardModifiers modifiers = code == Qt::Key_Backtab ? Qt::ShiftModifier
                                            : code == Qt::Key_Enter ? Qt::KeypadModifier
                                                                    : Qt::NoModifier;
    QTest::keyClick(focus, code, modifiers);
}

// What a screen reader was told, as the accessibility layer raised it.
// Qt raises such events only while a reader's session is up.
QList<std::pair<QAccessible::Event, QString>> heard;

void hear(QAccessibleEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement) {
        heard.append({event->type(), static_cast<QAccessibleAnnouncementEvent*>(event)->message()});
    }
#endif
    if (qobject_cast<ui::Announcer*>(event->object()) != nullptr) {
        heard.append({event->type(), event->accessibleInterface()->text(QAccessible::Name)});
    }
}

// The event a notification raises: from Qt 6.8 an announcement of its own.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
constexpr QAccessible::Event NotificationEvent = QAccessible::Announcement;
#else
constexpr QAccessible::Event NotificationEvent = QAccessible::ObjectShow;
#endif

} // namespace

class TestScenarios : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::PrepareAppearance();
        ui::SetErrorReporter({}); // the program's own box
        // Closes each error box as it opens, noting what it said.
        connect(&m_boxCloser, &QTimer::timeout, this, [this] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                    m_boxes.append(box->text());
                    box->reject();
                }
            }
        });
        m_boxCloser.start(10);
    }

    void play_data()
    {
        QTest::addColumn<int>("index");
        for (std::size_t index = 0; index < sc::Scenarios.size(); ++index) {
            if (sc::RunsOn(sc::Scenarios[index], sc::Engine::Qt)) {
                QTest::newRow(sc::Scenarios[index].name.data()) << static_cast<int>(index);
            }
        }
    }

    void play();

    // Run by the test scenarios_announcement, in a screen reader's session.
    void announcementEvents()
    {
        if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) {
            QSKIP("no screen reader session; the test scenarios_announcement has one");
        }
        QAccessible::installUpdateHandler(hear);
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
        testing::ScriptedRandom random({sc::Slot(12), sc::Slot(13)});
        ui::Form1 form(random);
        form.Form_Load();
        testing::control<QPushButton>(form, "Command1")->click(); // no gender: no name
        testing::control<QRadioButton>(form, "OptionFemale")->click();
        testing::control<QPushButton>(form, "Command1")->click();
        testing::control<QPushButton>(form, "Command1")->click();
        const auto before = QString::fromStdU16String(std::u16string(sc::AnnouncedBeforeName));
        const QStringList female = testing::femaleListFile();
        using Heard = std::pair<QAccessible::Event, QString>;
        QCOMPARE(heard, QList<Heard>({{NotificationEvent, before + female.value(12)},
                                      {NotificationEvent, before + female.value(13)}}));
        QAccessible::installUpdateHandler(nullptr);
    }

private:
    QTimer m_boxCloser;
    QStringList m_boxes;
};

void TestScenarios::play()
{
    QFETCH(int, index);
    const sc::Scenario& scenario = sc::Scenarios[static_cast<std::size_t>(index)];
    testing::ScriptedRandom random(
        std::vector<double>(scenario.draws.begin(), scenario.draws.end()));
    testing::UrlHandlerStandIn browser;
    // The program's own launcher, with the shell's answer as the scenario
    // has it: handed over, or refused as a file not found.
    ui::Form1 form(random, [&scenario](const std::u16string& address) {
        constexpr std::int32_t fileNotFound = 2;
        const std::int32_t result = links::OpenWebPage(address);
        return scenario.shellRefuses ? fileNotFound : result;
    });
    QVERIFY(form.nameTables().MaleNames.at(0).empty());
    // The test runs far from UTC, where a seed from the wrong clock shows.
    form.Form_Load();
    const auto wrongLoad =
        sc::CheckLoad(random, QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
    QVERIFY2(wrongLoad.empty(), sc::Joined(wrongLoad).c_str());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QWidget elsewhere; // the other window the user goes to
    auto* nameBox = testing::control<QLineEdit>(form, "TextName");
    QAccessibleInterface* notification =
        QAccessible::queryAccessibleInterface(form.findChild<ui::Announcer*>());
    QCOMPARE(notification->role(), QAccessible::Notification);
    QCOMPARE(notification->parent()->object(), &form);
    m_boxes.clear();

    for (std::size_t number = 1; number <= scenario.steps.size(); ++number) {
        const sc::Step& step = scenario.steps[number - 1];
        sc::Observation seen;
        seen.nameBefore = nameBox->text().toStdU16String();
        seen.drawsBefore = random.draws;
        seen.latestOnly = true;
        seen.latestBefore = notification->text(QAccessible::Name).toStdU16String();
        const qsizetype openedBefore = browser.opened.size();
        const qsizetype boxesBefore = m_boxes.size();
        const qsizetype windowsBefore = QApplication::topLevelWidgets().size();
        QWidget* control =
            step.control.empty() ? nullptr : testing::control(form, step.control.data());
        QWidget* focus = QApplication::focusWidget();
        const auto inWindow = [&form, control] {
            return control->mapTo(&form, control->rect().center());
        };

        switch (step.action) {
        case sc::Do::Look:
            break;
        case sc::Do::Click:
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, inWindow());
            break;
        case sc::Do::DoubleClick:
            QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, inWindow());
            break;
        case sc::Do::Press:
            press(focus, step.key);
            break;
        case sc::Do::Focus:
            control->setFocus();
            break;
        case sc::Do::LeaveAndReturn:
            elsewhere.show();
            elsewhere.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
            form.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&form));
            break;
        case sc::Do::Toggle:
            QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction(
                QAccessibleActionInterface::toggleAction());
            break;
        case sc::Do::Type:
            QTest::keyClicks(focus, u"Zed"_s);
            QTest::keyClick(focus, Qt::Key_Backspace);
            QTest::keyClick(focus, Qt::Key_Delete);
            QTest::keyClick(focus, Qt::Key_X, Qt::ControlModifier);
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
            break;
        case sc::Do::Copy:
            QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(focus, Qt::Key_C, Qt::ControlModifier);
            seen.copied = QGuiApplication::clipboard()->text().toStdU16String();
            break;
        case sc::Do::FocusReportsClick:
            QFAIL("Qt reports no click from an option that merely got the focus");
        }

        seen.nameAfter = nameBox->text().toStdU16String();
        seen.drawsAfter = random.draws;
        seen.reseeds = random.reseeds;
        seen.latestAfter = notification->text(QAccessible::Name).toStdU16String();
        seen.maleChosen = testing::control<QRadioButton>(form, "OptionMale")->isChecked();
        seen.femaleChosen = testing::control<QRadioButton>(form, "OptionFemale")->isChecked();
        if (const QWidget* now = QApplication::focusWidget()) {
            seen.focus = now->objectName().toStdString();
        }
        for (const QUrl& page : browser.opened.mid(openedBefore)) {
            seen.pages.push_back(page.toString().toStdU16String());
        }
        for (const QString& box : m_boxes.mid(boxesBefore)) {
            seen.boxes.push_back(box.toStdU16String());
        }
        seen.windowShown = form.isVisible();
        const std::vector<std::string> wrong = sc::CheckStep(scenario, number, seen);
        QVERIFY2(wrong.empty(), sc::Joined(wrong).c_str());
        // The program opens no window of its own beside the error box.
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore);
    }
}

QTEST_MAIN(TestScenarios)
#include "tst_scenarios.moc"
