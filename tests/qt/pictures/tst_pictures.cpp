// The Qt window as its users see it: pictures of it in the states of
// states.h, compared pixel by pixel with the references in
// tests/pictures/references/qt.
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
#include "pictures/states.h"
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

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::PrepareAppearance();
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
        QTest::addColumn<int>("index");
        for (std::size_t index = 0; index < std::size(pictures::States); ++index) {
            const std::string name =
                pictures::PictureName(pictures::States[index], environmentName().toStdString());
            if (!name.empty()) {
                QTest::newRow(name.c_str()) << static_cast<int>(index);
            }
        }
    }

    void looks()
    {
        QFETCH(int, index);
        const pictures::State& state = pictures::States[index];
        const QPalette original = QGuiApplication::palette();
        const auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });
        if (state.darkTheme) { // light text on dark grounds
            QPalette dark;
            dark.setColor(QPalette::Window, QColor(53, 53, 53));
            dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
            dark.setColor(QPalette::Base, QColor(35, 35, 35));
            dark.setColor(QPalette::Text, QColor(238, 238, 236));
            dark.setColor(QPalette::Button, QColor(53, 53, 53));
            dark.setColor(QPalette::ButtonText, QColor(238, 238, 236));
            dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
            dark.setColor(QPalette::HighlightedText, Qt::white);
            QApplication::setPalette(dark);
        }

        testing::ScriptedRandom random({0.25});
        ui::Form1 form({.random = random, .reportError = testing::FailTheTest});
        QVERIFY(ui::LoadThenShow(form));
        QVERIFY(QTest::qWaitForWindowActive(&form));
        if (state.nameShown) {
            QTest::mouseClick(testing::control(form, "OptionMale"), Qt::LeftButton);
            QTest::mouseClick(testing::control(form, "Command1"), Qt::LeftButton);
        }
        // As the Tab key brings it, which selects the name box's text.
        QWidget* focus = testing::control(form, state.focus.data());
        focus->setFocus(Qt::TabFocusReason);
        if (state.pressed) {
            qobject_cast<QPushButton*>(focus)->setDown(true);
        }

        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const QString problem =
            testing::CompareOrUpdateReference(form.grab().toImage(), u"qt/"_s + name);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
