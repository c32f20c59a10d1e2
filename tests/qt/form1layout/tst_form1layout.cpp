// The window where neither its pictures (tests/qt/pictures) nor its scenarios
// (tests/scenarios) can see it: the font it asks for, the order of its
// controls, what screen readers are told, its icon and the colours a theme
// decides. Its frame is seen from outside, in tests/qt/program.

#include "common/form1controls.h"
#include "ui/qt/appearance.h"

#include <QAccessible>
#include <QApplication>
#include <QImageReader>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

class TestForm1Layout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ui::PrepareAppearance(); }

    // Qt paints siblings and screen readers list them in the order they
    // were created. Each control asks for MS Sans Serif, which the pictures
    // only show in stand-ins, and no caption makes an access key.
    void controls()
    {
        ui::Form1 form;      // never loaded, so it draws nothing
        QStringList created; // each widget before its own children
        for (const QWidget* widget : form.findChildren<QWidget*>()) {
            created.append(widget->objectName());
        }
        QCOMPARE(created,
                 QStringList({u"Picture1"_s, u"Frame4"_s, u"Command4"_s, u"Command2"_s, u"Label5"_s,
                              u"Label4"_s, u"Label6"_s, u"Label7"_s, u"Label8"_s, u"Frame3"_s,
                              u"Command1"_s, u"Frame2"_s, u"TextName"_s, u"Frame1"_s,
                              u"OptionFemale"_s, u"OptionMale"_s}));
        for (const ui::description::Control& control : ui::description::Controls) {
            const QWidget* widget = testing::control(form, control.name.data());
            QCOMPARE(widget->font().family(), u"MS Sans Serif"_s);
            QVERIFY2(control.caption.find(u'&') == std::u16string_view::npos, control.name.data());
        }
    }

    // What a theme decides and no picture shows: the buttons' caption colour
    // where it reads on white, the name box's text (the pictures show it
    // selected) and the banner's ground under its image.
    void themeColours()
    {
        const QPalette original = QGuiApplication::palette();
        QPalette theme = original;
        theme.setColor(QPalette::ButtonText, QColor(0, 80, 0));
        theme.setColor(QPalette::Base, QColor(255, 250, 205));
        theme.setColor(QPalette::Text, QColor(80, 0, 0));
        QApplication::setPalette(theme);
        const auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });
        ui::Form1 form;

        for (const char* name : {"Label4", "Label5", "Label6", "Label7", "Label8"}) {
            QVERIFY2(testing::control(form, name)->autoFillBackground(), name); // opaque
        }
        for (const char* name : {"Command1", "Command2", "Command4"}) {
            const auto* button = testing::control<QPushButton>(form, name);
            QCOMPARE(button->palette().color(QPalette::ButtonText), QColor(0, 80, 0));
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        QCOMPARE(testing::control(form, "TextName")->palette().color(QPalette::Text),
                 QColor(80, 0, 0));
        const QWidget* banner = testing::control(form, "Picture1");
        QCOMPARE(banner->palette().color(QPalette::Window), QColor(255, 250, 205));
    }

    // Both images of the icon file, pixel for pixel as Qt decodes it.
    void icon()
    {
        ui::Form1 form;
        QImageReader iconFile(QStringLiteral(VELMORA_ICON_FILE));
        QList<QSize> iconSizes;
        for (int index = 0; index < iconFile.imageCount(); ++index) {
            QVERIFY(iconFile.jumpToImage(index));
            const QImage image = iconFile.read();
            iconSizes.append(image.size());
            constexpr auto format = QImage::Format_ARGB32_Premultiplied;
            QCOMPARE(form.windowIcon().pixmap(image.size()).toImage().convertToFormat(format),
                     image.convertToFormat(format));
        }
        QCOMPARE(iconSizes, QList<QSize>({QSize(32, 32), QSize(16, 16)}));
    }

    void accessibleTexts()
    {
        ui::Form1 form;
        form.show();
        const auto accessible = [&form](const char* name) {
            return QAccessible::queryAccessibleInterface(testing::control(form, name));
        };
        QCOMPARE(accessible("TextName")->text(QAccessible::Name), u"Generated Name"_s);
        QVERIFY(accessible("TextName")->state().readOnly);
        QVERIFY(
            accessible("Picture1")->text(QAccessible::Description).contains(u"NAME GENERATOR"_s));
        QCOMPARE(testing::control(form, "Command2")->accessibleDescription(),
                 u"Opens dornwick.example in your web browser"_s);
        QCOMPARE(testing::control(form, "Command4")->accessibleDescription(),
                 u"Opens vworkshop.example in your web browser"_s);
    }
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
