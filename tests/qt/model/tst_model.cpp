// Model-based random test: drives the real window with a long, seeded,
// random sequence of user actions and, after each one, checks the window
// against a small model of what the program must do.
//
//   VELMORA_MODEL_SEED=<n>     replays a run (the seed is printed)
//   VELMORA_MODEL_ACTIONS=<n>  number of actions (default 20000)

#include "common/form1controls.h"
#include "common/namelistfiles.h"
#include "common/scriptedrandom.h"
#include "links/webaddresses.h"
#include "ui/form1description.h"
#include "ui/qt/appearance.h"
#include "ui/qt/windowengine.h"

#include <QClipboard>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <random>

using namespace Qt::StringLiterals;

namespace {

enum class Gender { None, Male, Female };

qulonglong environmentNumber(const char* name, qulonglong fallback)
{
    bool ok = false;
    const qulonglong value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomSessionsFollowTheModel();
};

void TestModel::randomSessionsFollowTheModel()
{
    const qulonglong seed = environmentNumber(
        "VELMORA_MODEL_SEED",
        static_cast<qulonglong>(std::chrono::system_clock::now().time_since_epoch().count()));
    const qulonglong actions = environmentNumber("VELMORA_MODEL_ACTIONS", 20000);
    qInfo("model run: VELMORA_MODEL_SEED=%llu VELMORA_MODEL_ACTIONS=%llu", seed, actions);
    std::mt19937_64 dice(seed);

    QStringList reports;

    // The values the program draws, in a loop, all of [0, 1) within reach.
    std::vector<double> values(4099);
    std::generate(values.begin(), values.end(), [&dice] { return (dice() >> 11) * 0x1.0p-53; });
    testing::ScriptedRandom random(values);
    std::vector<std::u16string> launched;
    ui::Form1 form(
        {.random = random,
         .openWebPage = [&](const std::u16string& address) { launched.push_back(address); },
         .reportError =
             [&](const std::u16string& message) {
                 reports.append(QString::fromStdU16String(message));
             }});
    QVERIFY(ui::LoadThenShow(form));
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // The names the window must show: the list files, line 1 at index 0.
    const QStringList maleNames = testing::maleListFile();
    const QStringList femaleNames = testing::femaleListFile();

    auto* male = testing::control<QRadioButton>(form, "OptionMale");
    auto* female = testing::control<QRadioButton>(form, "OptionFemale");
    auto* box = testing::control<QLineEdit>(form, "TextName");

    // The model.
    Gender gender = Gender::None;
    QString text;
    std::size_t draws = 0;
    std::vector<std::u16string> expectedLaunches;

    const auto choose = [&](Gender chosen) {
        gender = chosen;
        text.clear();
    };
    // A generate with a gender chosen draws the next value once.
    const auto generate = [&] {
        if (gender == Gender::None) {
            return;
        }
        const int index = static_cast<int>(values[draws++ % values.size()] * 1001); // floor
        text = (gender == Gender::Male ? maleNames : femaleNames).value(index);
    };
    // What pressing a control does, by its name.
    const auto press = [&](const QString& name) {
        if (name == u"OptionMale"_s) {
            choose(Gender::Male);
        } else if (name == u"OptionFemale"_s) {
            choose(Gender::Female);
        } else if (name == u"Command1"_s) {
            generate();
        } else if (name == u"Command2"_s) {
            expectedLaunches.emplace_back(links::DornwickHomePage);
        } else if (name == u"Command4"_s) {
            expectedLaunches.emplace_back(links::VelmoraWorkshopHomePage);
        }
    };

    for (qulonglong step = 0; step < actions; ++step) {
        QWidget* focus = QApplication::focusWidget();
        const QString focusName = focus != nullptr ? focus->objectName() : QString();
        QString action;

        switch (dice() % 10) {
        case 0:
        case 1:
        case 2: { // a mouse click on any control, weighted towards the live ones
            using ui::description::Controls;
            const char* name = dice() % 2 == 0 ? Controls[dice() % Controls.size()].name.data()
                                               : std::array{"OptionMale", "OptionFemale",
                                                            "Command1", "Command1"}[dice() % 4];
            action = u"click "_s + QString::fromLatin1(name);
            QTest::mouseClick(testing::control(form, name), Qt::LeftButton);
            press(QString::fromLatin1(name));
            break;
        }
        case 3:
            action = u"Tab"_s;
            QTest::keyClick(focus, Qt::Key_Tab);
            break;
        case 4:
            action = u"Shift+Tab"_s;
            QTest::keyClick(focus, Qt::Key_Backtab);
            break;
        case 5:
        case 6: // Space presses whatever has the focus
            action = u"Space on "_s + focusName;
            QTest::keyClick(focus, Qt::Key_Space);
            press(focusName);
            break;
        case 7: { // arrows: inside the gender group they choose the neighbour
            static const std::array arrows{Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down};
            const Qt::Key key = arrows[dice() % 4];
            action = u"arrow %1 on %2"_s.arg(int(key)).arg(focusName);
            const bool wasMale = male->isChecked();
            const bool wasFemale = female->isChecked();
            QTest::keyClick(focus, key);
            if (male->isChecked() != wasMale || female->isChecked() != wasFemale) {
                choose(male->isChecked() ? Gender::Male : Gender::Female);
            }
            break;
        }
        case 8: // typing into the name box changes nothing
            action = u"typing into the name box"_s;
            box->setFocus();
            QTest::keyClicks(box, u"Zq"_s);
            QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
            break;
        case 9: // copying the name
            action = u"Ctrl+A, Ctrl+C in the name box"_s;
            box->setFocus();
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
            if (!text.isEmpty() && QGuiApplication::clipboard()->text() != text) {
                QFAIL(qPrintable(u"step %1 (%2): copied \"%3\", not \"%4\""_s.arg(step).arg(
                    action, QGuiApplication::clipboard()->text(), text)));
            }
            break;
        }

        const QString where = u"seed %1, step %2 (%3): "_s.arg(seed).arg(step).arg(action);
        QVERIFY2(male->isChecked() == (gender == Gender::Male) &&
                     female->isChecked() == (gender == Gender::Female),
                 qPrintable(where + u"another gender chosen"_s));
        QVERIFY2(box->text() == text,
                 qPrintable(where + u"shows \"%1\", expected \"%2\""_s.arg(box->text(), text)));
        QVERIFY2(random.draws == draws, qPrintable(where + u"unexpected draw"_s));
        QVERIFY2(random.reseeds == 1, qPrintable(where + u"seeded again"_s));
        QVERIFY2(launched == expectedLaunches, qPrintable(where + u"launcher calls differ"_s));
        QVERIFY2(reports.isEmpty(), qPrintable(where + reports.value(0)));
    }
    qInfo("%llu actions, %zu names drawn, %zu pages opened", actions, draws, launched.size());
}

int main(int argc, char* argv[])
{
    ui::EngineApplication app(argc, argv);
    ui::PrepareAppearance();
    TestModel test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_model.moc"
