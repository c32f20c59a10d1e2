// What the window does: loading, generating, changing gender, the link
// buttons, and the read-only name box.

#include "common/form1controls.h"
#include "common/namelistfiles.h"
#include "common/scriptedrandom.h"
#include "links/webaddresses.h"
#include "ui/qt/announcer.h"
#include "ui/qt/appearance.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The window under test with a scripted random source and a launcher that
// records what it was asked to open.
struct LoadedForm
{
    explicit LoadedForm(std::vector<double> draws = {0.0}, std::int32_t launcherResult = 42)
        : random(std::move(draws)),
          form(random, [this, launcherResult](const std::u16string& address) {
              opened.append(QString::fromStdU16String(address));
              return launcherResult;
          })
    {
        form.Form_Load();
    }

    QRadioButton* male() { return testing::control<QRadioButton>(form, "OptionMale"); }
    QRadioButton* female() { return testing::control<QRadioButton>(form, "OptionFemale"); }
    QLineEdit* nameBox() { return testing::control<QLineEdit>(form, "TextName"); }
    void click(const char* name)
    {
        QTest::mouseClick(testing::control(form, name), Qt::LeftButton);
    }

    // Entries as the list files have them, line 1 at index 0.
    static QString maleEntry(int index) { return testing::maleListFile().value(index); }
    static QString femaleEntry(int index) { return testing::femaleListFile().value(index); }

    testing::ScriptedRandom random;
    QStringList opened;
    ui::Form1 form;
};

// Index k of the table, as a draw.
double slot(int k)
{
    return (k + 0.5) / names::NameTableSize;
}

} // namespace

class TestForm1Behaviour : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::PrepareAppearance();
        testing::failOnHandlerErrors();
    }

    void loadSeedsThenFills()
    {
        testing::ScriptedRandom random;
        ui::Form1 form(random);
        QVERIFY(form.nameTables().MaleNames.at(0).empty());
        form.Form_Load();
        QCOMPARE(random.reseeds, 1);
        QCOMPARE(random.draws, std::size_t(0));
        QVERIFY(testing::holdTheListFiles(form.nameTables()));
    }

    void generateShowsAnEntryOfTheChosenGender()
    {
        LoadedForm w({slot(3), slot(1000), slot(0)});
        w.click("Command1"); // no gender chosen yet: nothing drawn or shown
        QCOMPARE(w.nameBox()->text(), QString());
        QCOMPARE(w.random.draws, std::size_t(0));
        w.click("OptionMale");
        w.click("Command1");
        QCOMPARE(w.nameBox()->text(), w.maleEntry(3));

        w.click("OptionFemale");
        QVERIFY(!w.male()->isChecked());
        QCOMPARE(w.nameBox()->text(), QString());

        w.click("Command1");
        QCOMPARE(w.nameBox()->text(), w.femaleEntry(1000));
        w.click("Command1");
        QCOMPARE(w.nameBox()->text(), w.femaleEntry(0));
        QCOMPARE(w.random.draws, std::size_t(3));
    }

    void eachGenerateReplacesTheName()
    {
        LoadedForm w({slot(10), slot(10), slot(11)});
        w.click("OptionFemale");
        QStringList shown;
        for (int i = 0; i < 3; ++i) {
            w.click("Command1");
            shown.append(w.nameBox()->text());
        }
        QCOMPARE(shown, QStringList({w.femaleEntry(10), w.femaleEntry(10), w.femaleEntry(11)}));
        QCOMPARE(w.random.reseeds, 1); // seeded by Load alone
    }

    void choosingAGenderEmptiesTheBox_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("then");
        QTest::newRow("male, then female") << u"OptionMale"_s << u"OptionFemale"_s;
        QTest::newRow("female, then male") << u"OptionFemale"_s << u"OptionMale"_s;
        QTest::newRow("male again") << u"OptionMale"_s << u"OptionMale"_s;
    }

    void choosingAGenderEmptiesTheBox()
    {
        QFETCH(QString, first);
        QFETCH(QString, then);
        LoadedForm w({slot(5)});
        w.click(qPrintable(first));
        w.click("Command1");
        QVERIFY(!w.nameBox()->text().isEmpty());
        w.click(qPrintable(then));
        QCOMPARE(w.nameBox()->text(), QString());
        QVERIFY(w.male()->isChecked() != w.female()->isChecked());
        QCOMPARE(w.random.draws, std::size_t(1)); // choosing draws no name
        QVERIFY(testing::holdTheListFiles(w.form.nameTables()));
    }

    // Everything the mouse does, the keyboard and assistive technologies do
    // too; the name box takes no typing yet lets the name be copied.
    void keyboardAndAssistiveActions()
    {
        LoadedForm w({slot(7), slot(8)});
        w.form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTest::keyClick(w.male(), Qt::Key_Space);
        QVERIFY(w.male()->isChecked());
        auto* generate = testing::control(w.form, "Command1");
        generate->setFocus();
        QTest::keyClick(generate, Qt::Key_Return);
        const QString name = w.maleEntry(7);
        QCOMPARE(w.nameBox()->text(), name);

        w.nameBox()->setFocus();
        QTest::keyClick(w.nameBox(), Qt::Key_Return); // no default button
        QTest::keyClicks(w.nameBox(), u"Zed"_s);
        QTest::keyClick(w.nameBox(), Qt::Key_Backspace);
        QTest::keyClick(w.nameBox(), Qt::Key_Delete);
        QTest::keyClick(w.nameBox(), Qt::Key_X, Qt::ControlModifier);
        QTest::keyClick(w.nameBox(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.nameBox()->text(), name);
        QTest::keyClick(w.nameBox(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w.nameBox(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), name);
        QTest::keyClick(generate, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(w.nameBox()->text(), w.maleEntry(8));
        QCOMPARE(w.random.draws, std::size_t(2));

        w.male()->setFocus();
        QTest::keyClick(w.male(), Qt::Key_Right);
        QVERIFY(w.female()->isChecked());
        QVERIFY(!w.male()->isChecked());
        QCOMPARE(w.nameBox()->text(), QString());

        // A screen reader's "toggle" action checks the button without clicking it.
        w.click("Command1");
        QVERIFY(!w.nameBox()->text().isEmpty());
        QAccessibleInterface* male = QAccessible::queryAccessibleInterface(w.male());
        male->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(w.male()->isChecked());
        QCOMPARE(w.nameBox()->text(), QString());
    }

    // A new name is announced to screen readers wherever the focus is: the
    // accessibility layer sees a notification that carries the name.
    void generatedNameIsAnnounced()
    {
        LoadedForm w({slot(12)});
        w.click("OptionFemale");
        w.click("Command1");
        auto* announcer = w.form.findChild<ui::Announcer*>();
        QVERIFY(announcer != nullptr);
        QAccessibleInterface* notification = QAccessible::queryAccessibleInterface(announcer);
        QVERIFY(notification != nullptr);
        QCOMPARE(notification->role(), QAccessible::Notification);
        QCOMPARE(notification->text(QAccessible::Name), u"Generated name: "_s + w.femaleEntry(12));
        QCOMPARE(notification->parent()->object(), &w.form);
    }

    void linkButtonsOpenTheirOwnPage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("address");
        QTest::newRow("Dornwick") << u"Command2"_s
                                  << QString::fromStdU16String(
                                         std::u16string(links::DornwickHomePage));
        QTest::newRow("Velmora Workshop")
            << u"Command4"_s
            << QString::fromStdU16String(std::u16string(links::VelmoraWorkshopHomePage));
    }

    void linkButtonsOpenTheirOwnPage()
    {
        QFETCH(QString, button);
        QFETCH(QString, address);
        for (const std::int32_t launcherResult : {42, 2}) { // handed over, then refused
            LoadedForm w({slot(9)}, launcherResult);
            w.click("OptionFemale");
            w.click("Command1");
            const QString name = w.nameBox()->text();
            const qsizetype windowsBefore = QApplication::topLevelWidgets().size();

            w.click(qPrintable(button));
            QCOMPARE(w.opened, QStringList{address});
            w.click(qPrintable(button));
            QCOMPARE(w.opened, QStringList({address, address}));

            QCOMPARE(w.nameBox()->text(), name);
            QVERIFY(w.female()->isChecked());
            QVERIFY(!w.male()->isChecked());
            QCOMPARE(w.random.draws, std::size_t(1));
            QVERIFY(testing::holdTheListFiles(w.form.nameTables()));
            QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore); // no message
        }
    }
};

QTEST_MAIN(TestForm1Behaviour)
#include "tst_form1behaviour.moc"
