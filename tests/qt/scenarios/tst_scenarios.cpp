// Plays every scenario of scenarios.h on the Qt window, offscreen, one data
// row each: the program's own launcher hands pages to a stand-in browser,
// errors open the program's own message box, and announcements are read
// from the notification that screen readers are shown. In a screen
// reader's session, announcementEvents plays the first hearing the events.

#include "common/form1controls.h"
#include "common/scriptedrandom.h"
#include "common/urlhandlerstandin.h"
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

#include <utility>
#include <vector>

using namespace Qt::StringLiterals;
namespace sc = scenarios;

namespace {

// The keys of sc::Key, in its order, as QKeySequence names them; Enter is the keypad's.
const QStringList Keys{{},      u"Tab"_s,  u"Shift+Backtab"_s, u"Left"_s,   u"Right"_s,
                       u"Up"_s, u"Down"_s, u"Space"_s,         u"Return"_s, u"Num+Enter"_s};

// The event a notification raises: from Qt 6.8 an announcement of its own.
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
constexpr QAccessible::Event NotificationEvent = QAccessible::Announcement;
#else
constexpr QAccessible::Event NotificationEvent = QAccessible::ObjectShow;
#endif

// What a screen reader was told, as the accessibility layer raised it: the
// text of each notification, or "(another event)". Qt raises such events
// only while a reader's session is up.
std::vector<std::u16string> heard;

void hear(QAccessibleEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (event->type() == QAccessible::Announcement) {
        const auto* announcement = static_cast<QAccessibleAnnouncementEvent*>(event);
        heard.push_back(announcement->message().toStdU16String());
    }
#endif
    if (qobject_cast<ui::Announcer*>(event->object()) != nullptr) {
        const QString text = event->accessibleInterface()->text(QAccessible::Name);
        heard.push_back(event->type() == NotificationEvent ? text.toStdU16String()
                                                           : u"(another event)");
    }
}

} // namespace

class TestScenarios : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::PrepareAppearance();
        // Closes each error box as it opens, noting what it said.
        connect(&m_boxCloser, &QTimer::timeout, this, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_boxes.push_back(box->text().toStdU16String());
                box->reject();
            }
        });
        m_boxCloser.start(10);
    }

    void play_data()
    {
        QTest::addColumn<const sc::Scenario*>("scenario");
        for (const sc::Scenario& scenario : sc::Scenarios) {
            if (sc::RunsOn(scenario, sc::Engine::Qt)) {
                QTest::newRow(scenario.name.data()) << &scenario;
            }
        }
    }

    void play()
    {
        QFETCH(const sc::Scenario*, scenario);
        play(*scenario, false);
    }

    // Run by the test scenarios_announcement, in a screen reader's session:
    // the first scenario, with its announcements heard as the events they raise.
    void announcementEvents()
    {
        if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON")) {
            QSKIP("no screen reader session; the test scenarios_announcement has one");
        }
        QAccessible::installUpdateHandler(hear);
        QTRY_VERIFY_WITH_TIMEOUT(QAccessible::isActive(), 10000);
        play(sc::Scenarios.front(), true);
        QAccessible::installUpdateHandler(nullptr);
    }

private:
    void play(const sc::Scenario& scenario, bool eventsHeard);

    QTimer m_boxCloser;
    std::vector<std::u16string> m_boxes; // the text of each error box, as it opened
};

void TestScenarios::play(const sc::Scenario& scenario, bool eventsHeard)
{
    testing::ScriptedRandom random({scenario.draws.begin(), scenario.draws.end()});
    testing::UrlHandlerStandIn browser;
    // The program's own launcher, which tells its callers nothing of what
    // the shell did with a page: a refusal changes nothing here.
    ui::Form1 form({.random = random});
    // The test runs far from UTC, where a seed from the wrong clock shows.
    form.Load();
    const auto onLoad = sc::CheckLoad(random, QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
    QVERIFY2(onLoad.empty(), sc::Joined(onLoad).c_str());
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QWidget elsewhere; // the other window the user goes to
    QAccessibleInterface* notification =
        QAccessible::queryAccessibleInterface(form.findChild<ui::Announcer*>());
    QCOMPARE(notification->role(), QAccessible::Notification);
    QCOMPARE(notification->parent()->object(), &form);
    // The program opens no window of its own beside the error box.
    const qsizetype windows = QApplication::topLevelWidgets().size();

    const auto act = [&](const sc::Step& step, std::u16string& copied) {
        QWidget* control =
            step.control.empty() ? nullptr : testing::control(form, step.control.data());
        QWidget* focus = QApplication::focusWidget();
        const QPoint middle = control ? control->mapTo(&form, control->rect().center()) : QPoint();
        switch (step.action) {
        case sc::Do::Click:
            QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, middle);
            break;
        case sc::Do::DoubleClick:
            QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, middle);
            break;
        case sc::Do::Press:
            QTest::keySequence(focus,
                               QKeySequence::fromString(Keys.at(static_cast<qsizetype>(step.key))));
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
            QTest::keySequence(focus,
                               QKeySequence::fromString(u"Backspace, Del, Ctrl+X, Ctrl+V"_s));
            break;
        case sc::Do::Copy:
            QTest::keySequence(focus, QKeySequence::fromString(u"Ctrl+A, Ctrl+C"_s));
            copied = QGuiApplication::clipboard()->text().toStdU16String();
            break;
        case sc::Do::Look: // PlaySteps acts on no Look step
        case sc::Do::FocusReportsClick:
            QFAIL("Qt reports no click from an option that merely got the focus");
        }
    };
    const auto look = [&](sc::Observation& seen) {
        seen.nameAfter = testing::control<QLineEdit>(form, "TextName")->text().toStdU16String();
        seen.drawsAfter = random.draws;
        seen.reseeds = random.reseeds;
        seen.latestOnly = !eventsHeard;
        seen.latestAfter = notification->text(QAccessible::Name).toStdU16String();
        seen.heard = std::exchange(heard, {});
        seen.maleChosen = testing::control<QRadioButton>(form, "OptionMale")->isChecked();
        seen.femaleChosen = testing::control<QRadioButton>(form, "OptionFemale")->isChecked();
        const QWidget* focused = QApplication::focusWidget();
        seen.focus = focused ? focused->objectName().toStdString() : "";
        for (const QUrl& page : std::exchange(browser.opened, {})) {
            seen.pages.push_back(page.toString().toStdU16String());
        }
        seen.boxes = std::exchange(m_boxes, {});
        seen.windowShown = form.isVisible();
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    };
    const std::string wrong = sc::PlaySteps(scenario, act, look);
    QVERIFY2(wrong.empty(), wrong.c_str());
}

QTEST_MAIN(TestScenarios)
#include "tst_scenarios.moc"
