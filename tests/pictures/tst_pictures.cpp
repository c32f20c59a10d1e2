// The Qt window as its users see it: pictures of it in a few states,
// compared pixel by pixel with the references in tests/pictures/references/qt.
// They hold every control's place, caption, colours, font and alignment, the
// navy ground, the banner as its JPEG decodes, and the focus rectangles.
//
// CTest runs this in three environments, named by VELMORA_PICTURE_ENVIRONMENT:
// "96dpi" (Liberation Sans standing in for MS Sans Serif), "144dpi" (Qt
// scaled by 1.5, as on a desktop at 150 %) and "dejavu" (a font configuration
// that leaves only the wider DejaVu Sans). A dark theme is set in process.

#include "common/form1controls.h"
#include "common/referencepicture.h"
#include "common/scriptedrandom.h"
#include "ui/qt/appearance.h"

#include <QApplication>
#include <QFontInfo>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString environmentName()
{
    return qEnvironmentVariable("VELMORA_PICTURE_ENVIRONMENT", u"96dpi"_s);
}

// A dark desktop theme: light text on dark grounds.
QPalette darkTheme()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Text, QColor(238, 238, 236));
    dark.setColor(QPalette::Button, QColor(53, 53, 53));
    dark.setColor(QPalette::ButtonText, QColor(238, 238, 236));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::PrepareAppearance();
        testing::failOnHandlerErrors();
        // The environment must really be the one the references were drawn in.
        const QString environment = environmentName();
        const qreal scale = environment == u"144dpi"_s ? 1.5 : 1.0;
        QCOMPARE(QGuiApplication::primaryScreen()->devicePixelRatio(), scale);
        const QString font = environment == u"dejavu"_s ? u"DejaVu Sans"_s : u"Liberation Sans"_s;
        QVERIFY2(QFontInfo(ui::WindowFont()).family() == font,
                 qPrintable(font + u" does not stand in for MS Sans Serif (Debian: "
                                   u"scripts/install-deps.sh --tests installs the fonts)"_s));
    }

    void looks_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("nameShown");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("pressed");
        const auto row = [](const char* name, const char* focus, bool nameShown, bool dark = false,
                            const char* pressed = "") {
            QTest::newRow(name) << QString::fromLatin1(focus) << nameShown << dark
                                << QString::fromLatin1(pressed);
        };
        // At 96 dpi every state; elsewhere the one that shows the most.
        row("name-shown", "Command1", true);
        if (environmentName() != u"96dpi"_s) {
            return;
        }
        row("opened", "OptionMale", false);
        row("name-box-focused", "TextName", true);
        row("banner-focused", "Picture1", true);
        row("dornwick-pressed", "Command2", false, false, "Command2");
        row("workshop-focused", "Command4", false);
        row("dark-theme-name-box-focused", "TextName", true, true);
    }

    void looks()
    {
        QFETCH(QString, focus);
        QFETCH(bool, nameShown);
        QFETCH(bool, dark);
        QFETCH(QString, pressed);
        const QPalette original = QGuiApplication::palette();
        const auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });
        if (dark) {
            QApplication::setPalette(darkTheme());
        }

        testing::ScriptedRandom random({0.25});
        ui::Form1 form(random);
        QVERIFY(ui::LoadThenShow(form));
        QVERIFY(QTest::qWaitForWindowActive(&form));
        if (nameShown) {
            QTest::mouseClick(testing::control(form, "OptionMale"), Qt::LeftButton);
            QTest::mouseClick(testing::control(form, "Command1"), Qt::LeftButton);
            QCOMPARE(testing::control<QLineEdit>(form, "TextName")->text(),
                     QString::fromStdU16String(form.nameTables().MaleNames.at(250)));
        }
        // As the Tab key brings it, which selects the name box's text.
        testing::control(form, qPrintable(focus))->setFocus(Qt::TabFocusReason);
        if (!pressed.isEmpty()) {
            testing::control<QPushButton>(form, qPrintable(pressed))->setDown(true);
        }

        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const QString suffix =
            environmentName() == u"96dpi"_s ? QString() : u'-' + environmentName();
        const QString problem =
            testing::CompareOrUpdateReference(form.grab().toImage(), u"qt/"_s + name + suffix);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
