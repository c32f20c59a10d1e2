// The window as laid out, where its pictures (tests/pictures) cannot see
// it: every control's kind, container, caption, requested font and focus,
// the colours the system's theme decides and the window's frame; the tab
// order is walked by the scenarios (tests/scenarios).

#include "common/form1controls.h"
#include "ui/qt/appearance.h"

#include <QAccessible>
#include <QApplication>
#include <QImageReader>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString captionOf(const QWidget* widget)
{
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
        return frame->title();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    return {};
}

} // namespace

class TestForm1Layout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::PrepareAppearance();
        testing::failOnHandlerErrors();
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("takesFocus");

        const auto row = [](const char* name, const char* kind, const char* container,
                            const QString& caption, bool focus) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                                << QString::fromLatin1(container) << caption << focus;
        };
        row("Picture1", "QLabel", "Form1", QString(), true);
        row("Frame4", "QGroupBox", "Form1", u"About:"_s, false);
        row("Command4", "QPushButton", "Frame4", u"Velmora Workshop"_s, true);
        row("Command2", "QPushButton", "Frame4", u"Dornwick"_s, true);
        row("Label5", "QLabel", "Frame4", u"vworkshop.example"_s, false);
        row("Label4", "QLabel", "Frame4", u"dornwick.example"_s, false);
        row("Label6", "QLabel", "Frame4", u"On the web:"_s, false);
        row("Label7", "QLabel", "Frame4", u"The Velmora fan crew"_s, false);
        row("Label8", "QLabel", "Frame4", u"Names by:"_s, false);
        row("Frame3", "QGroupBox", "Form1", u"Generate:"_s, false);
        row("Command1", "QPushButton", "Frame3", u"Generate Name"_s, true);
        row("Frame2", "QGroupBox", "Form1", u"Generated Name:"_s, false);
        row("TextName", "QLineEdit", "Frame2", QString(), true);
        row("Frame1", "QGroupBox", "Form1", u"Gender:"_s, false);
        row("OptionFemale", "QRadioButton", "Frame1", u"Female"_s, true);
        row("OptionMale", "QRadioButton", "Frame1", u"Male"_s, true);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(bool, takesFocus);

        ui::Form1 form; // never loaded, so it draws nothing
        const QWidget* widget = testing::control(form, qPrintable(name));

        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(captionOf(widget), caption);
        QVERIFY(!caption.contains(u'&')); // no access keys
        // What a desktop that has MS Sans Serif shows; the pictures show its stand-ins.
        QCOMPARE(widget->font().family(), u"MS Sans Serif"_s);
        QCOMPARE(bool(widget->focusPolicy() & Qt::TabFocus), takesFocus);
    }

    void colours_data()
    {
        QTest::addColumn<QColor>("systemButtonText");
        QTest::addColumn<QColor>("buttonCaption");
        // A theme's caption colour that reads on the white faces is kept; one
        // that would vanish there gives way to black. The pictures show a
        // light and a dark theme.
        QTest::newRow("coloured captions") << QColor(0, 80, 0) << QColor(0, 80, 0);
        QTest::newRow("contrast just under 4.5") << QColor(119, 119, 119) << QColor(0, 0, 0);
        QTest::newRow("contrast just over 4.5") << QColor(118, 118, 118) << QColor(118, 118, 118);
    }

    void colours()
    {
        QFETCH(QColor, systemButtonText);
        QFETCH(QColor, buttonCaption);
        const QPalette original = QGuiApplication::palette();
        QPalette theme = original;
        theme.setColor(QPalette::ButtonText, systemButtonText);
        theme.setColor(QPalette::Base, systemButtonText == buttonCaption ? Qt::white : Qt::black);
        theme.setColor(QPalette::Text, systemButtonText == buttonCaption ? Qt::black : Qt::white);
        QApplication::setPalette(theme);
        const auto restore = qScopeGuard([&original] { QApplication::setPalette(original); });
        ui::Form1 form;
        const QPalette system = QGuiApplication::palette();

        for (const char* name : {"Label4", "Label5", "Label6", "Label7", "Label8"}) {
            QVERIFY2(testing::control(form, name)->autoFillBackground(), name); // opaque
        }
        for (const char* name : {"Command1", "Command2", "Command4"}) {
            const auto* button = testing::control<QPushButton>(form, name);
            QCOMPARE(button->palette().color(QPalette::ButtonText), buttonCaption);
            QVERIFY(!button->isDefault());
            QVERIFY(!button->autoDefault());
        }
        const QWidget* name = testing::control(form, "TextName");
        QCOMPARE(name->palette().color(QPalette::Base), system.color(QPalette::Base));
        QCOMPARE(name->palette().color(QPalette::Text), system.color(QPalette::Text));
        const QWidget* banner = testing::control(form, "Picture1");
        QCOMPARE(banner->palette().color(QPalette::Window), system.color(QPalette::Base));
    }

    void creationOrder()
    {
        ui::Form1 form;
        const auto namesOfChildren = [](const QWidget* parent) {
            QStringList names;
            for (const QObject* child : parent->children()) {
                if (child->isWidgetType()) {
                    names.append(child->objectName());
                }
            }
            return names;
        };
        QCOMPARE(namesOfChildren(&form),
                 QStringList({u"Picture1"_s, u"Frame4"_s, u"Frame3"_s, u"Frame2"_s, u"Frame1"_s}));
        QCOMPARE(namesOfChildren(testing::control(form, "Frame4")),
                 QStringList({u"Command4"_s, u"Command2"_s, u"Label5"_s, u"Label4"_s, u"Label6"_s,
                              u"Label7"_s, u"Label8"_s}));
        QCOMPARE(namesOfChildren(testing::control(form, "Frame1")),
                 QStringList({u"OptionFemale"_s, u"OptionMale"_s}));
    }

    void window()
    {
        ui::Form1 form;
        QCOMPARE(form.windowTitle(), u"Velmora 2 Name Generator"_s);
        QCOMPARE(form.minimumSize(), QSize(449, 209));
        QCOMPARE(form.maximumSize(), QSize(449, 209));

        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);

        // Both images of the icon file, pixel for pixel as Qt decodes it.
        QImageReader iconFile(QStringLiteral(VELMORA_ICON_FILE));
        QList<QSize> iconSizes;
        for (int index = 0; index < iconFile.imageCount(); ++index) {
            QVERIFY(iconFile.jumpToImage(index));
            const QImage image = iconFile.read();
            iconSizes.append(image.size());
            QCOMPARE(form.windowIcon()
                         .pixmap(image.size())
                         .toImage()
                         .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
        QCOMPARE(iconSizes, QList<QSize>({QSize(32, 32), QSize(16, 16)}));

        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY((form.geometry().center() - screen.center()).manhattanLength() <= 2);
    }

    void initialStateAndAccessibleNames()
    {
        ui::Form1 form;
        form.show();
        auto* name = testing::control<QLineEdit>(form, "TextName");
        QVERIFY(name->isReadOnly());

        QAccessibleInterface* nameBox = QAccessible::queryAccessibleInterface(name);
        QVERIFY(nameBox != nullptr);
        QCOMPARE(nameBox->text(QAccessible::Name), u"Generated Name"_s);
        QAccessibleInterface* banner =
            QAccessible::queryAccessibleInterface(testing::control(form, "Picture1"));
        QVERIFY(banner != nullptr);
        QVERIFY(banner->text(QAccessible::Description).contains(u"NAME GENERATOR"_s));
        QCOMPARE(testing::control(form, "Command2")->accessibleDescription(),
                 u"Opens dornwick.example in your web browser"_s);
        QCOMPARE(testing::control(form, "Command4")->accessibleDescription(),
                 u"Opens vworkshop.example in your web browser"_s);
    }
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
