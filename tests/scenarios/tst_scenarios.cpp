// Plays every scenario of scenarios.h on the Qt window, offscreen, one data
// row each: the program's own launcher hands pages to a stand-in browser,
// errors open the program's own message box, and announcements are read
// from the notification that screen readers are shown. In a screen
// reader's session, announcementEvents also hears the events themselves.

#include "common/form1controls.h"
#include "common/namelistfiles.h"
#include "common/scriptedrandom.h"
#include "common/urlhandlerstandin.h"
#include "links/module1.h"
#include "scenarios/scenarios.h"
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

QString text(std::u16string_view view)
{
    return QString::fromUtf16(view.data(), static_cast<qsizetype>(view.size()));
}

QString text(std::string_view view)
{
    return QString::fromLatin1(view.data(), static_cast<qsizetype>(view.size()));
}

void press(QWidget* focus, sc::Key key)
{
    // In the order of sc::Key.
    static const std::array<std::pair<Qt::Key, Qt::KeyboardModifiers>, 10> keys{{
        {},
        {Qt::Key_Tab, {}},
        {Qt::Key_Backtab, Qt::ShiftModifier},
        {Qt::Key_Left, {}},
        {Qt::Key_Right, {}},
        {Qt::Key_Up, {}},
        {Qt::Key_Down, {}},
        {Qt::Key_Space, {}},
        {Qt::Key_Return, {}},
        {Qt::Key_Enter, Qt::KeypadModifier},
    }};
    const auto [code, modifiers] = keys.at(static_cast<std::size_t>(key));
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
        const QString before = text(sc::AnnouncedBeforeName);
        const QStringList female = testing::femaleListFile();
        using Heard = std::pair<QAccessible::Event, QString>;
        static_assert(sc::AnnouncementKind == sc::EventKind::Notification);
        const QAccessible::Event event = NotificationEvent;
        QCOMPARE(heard, QList<Heard>({{event, before + female.value(12)},
                                      {event, before + female.value(13)}}));
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
    const std::vector<double> values(scenario.draws.begin(), scenario.draws.end());
    testing::ScriptedRandom random(values);
    testing::UrlHandlerStandIn browser;
    // The program's own launcher, with the shell's answer as the scenario
    // has it: handed over, or refused as a file not found.
    ui::Form1 form(random, [&scenario](const std::u16string& address) {
        constexpr std::int32_t fileNotFound = 2;
        const std::int32_t result = links::OpenWebPage(address);
        return scenario.shellRefuses ? fileNotFound : result;
    });
    QVERIFY(form.nameTables().MaleNames.at(0).empty());

    // Load seeds from the local time of day (the test runs far from UTC),
    // fills the tables, and draws nothing.
    form.Form_Load();
    QCOMPARE(random.reseeds, 1);
    QVERIFY2(sc::SecondsApart(random.lastSeed,
                              QTime::currentTime().msecsSinceStartOfDay() / 1000.0) < 2.0,
             qPrintable(u"seeded with %1"_s.arg(random.lastSeed)));
    QCOMPARE(random.draws, std::size_t(0));
    QVERIFY(testing::holdTheListFiles(form.nameTables()));
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    QWidget elsewhere; // the other window the user goes to
    const QStringList male = testing::maleListFile();
    const QStringList female = testing::femaleListFile();
    auto* maleOption = testing::control<QRadioButton>(form, "OptionMale");
    auto* femaleOption = testing::control<QRadioButton>(form, "OptionFemale");
    auto* nameBox = testing::control<QLineEdit>(form, "TextName");
    auto* announcer = form.findChild<ui::Announcer*>();
    QVERIFY(announcer != nullptr);
    QAccessibleInterface* notification = QAccessible::queryAccessibleInterface(announcer);
    QCOMPARE(notification->parent()->object(), &form);
    m_boxes.clear();

    for (std::size_t number = 0; number < scenario.steps.size(); ++number) {
        const sc::Step& step = scenario.steps[number];
        const QString where = u"step %1: "_s.arg(number + 1);
        const QString nameBefore = nameBox->text();
        const std::size_t drawsBefore = random.draws;
        const QString announcedBefore = notification->text(QAccessible::Name);
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
            QCOMPARE(QGuiApplication::clipboard()->text(), nameBox->text());
            break;
        case sc::Do::FocusReportsClick:
            QFAIL("Qt reports no click from an option that merely got the focus");
        }

        // The name box, the draws behind it and what was announced.
        QVERIFY2(random.draws == drawsBefore + sc::DrawsOf(step),
                 qPrintable(where + u"%1 draws"_s.arg(random.draws - drawsBefore)));
        QString expectedName = step.name == sc::Name::Unchanged ? nameBefore : QString();
        if (sc::DrawsName(step)) {
            const int line = sc::LineOf(values[(random.draws - 1) % values.size()]);
            expectedName = (step.name == sc::Name::Male ? male : female).value(line);
        }
        QVERIFY2(
            nameBox->text() == expectedName,
            qPrintable(where + u"shows \"%1\", not \"%2\""_s.arg(nameBox->text(), expectedName)));
        // Offscreen, with no screen reader listening, Qt raises no event a
        // test could catch; what the reader is shown is the notification.
        static_assert(sc::AnnouncementKind == sc::EventKind::Notification);
        QCOMPARE(notification->role(), QAccessible::Notification);
        QCOMPARE(notification->text(QAccessible::Name),
                 sc::DrawsName(step) ? text(sc::AnnouncedBeforeName) + expectedName
                                     : announcedBefore);

        if (step.chosen != sc::Gender::Unchecked) {
            QVERIFY2(maleOption->isChecked() == (step.chosen == sc::Gender::Male) &&
                         femaleOption->isChecked() == (step.chosen == sc::Gender::Female),
                     qPrintable(where + u"another gender is chosen"_s));
        }
        if (!step.focus.empty()) {
            const QWidget* now = QApplication::focusWidget();
            QVERIFY2(now != nullptr && now->objectName() == text(step.focus),
                     qPrintable(where + u"the focus is on "_s +
                                (now != nullptr ? now->objectName() : u"nothing"_s)));
        }

        const QList<QUrl> expectedPages(static_cast<qsizetype>(sc::PagesOf(step)),
                                        QUrl(text(sc::AddressOf(step.opened))));
        QCOMPARE(browser.opened.mid(openedBefore), expectedPages);
        if (!expectedPages.isEmpty()) { // the About group shows the host its button opens
            const char* label = step.opened == sc::Link::Dornwick ? "Label4" : "Label5";
            QCOMPARE(testing::control<QLabel>(form, label)->text(), expectedPages.front().host());
        }

        const QStringList boxes = m_boxes.mid(boxesBefore);
        QVERIFY2(boxes.size() == (step.errorBox.empty() ? 0 : 1),
                 qPrintable(where + u"error boxes: "_s + boxes.join(u" | ")));
        QVERIFY2(step.errorBox.empty() || boxes.front().contains(text(step.errorBox)),
                 qPrintable(boxes.value(0)));
        QVERIFY(form.isVisible());
        QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore); // no window of its own
    }
    QCOMPARE(random.reseeds, 1);
    QVERIFY(testing::holdTheListFiles(form.nameTables()));
}

QTEST_MAIN(TestScenarios)
#include "tst_scenarios.moc"
