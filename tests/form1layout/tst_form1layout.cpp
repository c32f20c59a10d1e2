// The window as laid out: every control's kind, container, place, caption,
// colours, font and focus, the window's frame, and the tab order.

#include "common/form1controls.h"
#include "ui/qt/appearance.h"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QImageReader>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QColor navy(0, 0, 128);
const QColor white(255, 255, 255);

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

// How wide the caption needs to be drawn, whole, inside the control.
int widthNeeded(const QWidget* widget)
{
    if (qobject_cast<const QAbstractButton*>(widget) != nullptr) {
        return widget->sizeHint().width();
    }
    const int text = widget->fontMetrics().horizontalAdvance(captionOf(widget));
    if (qobject_cast<const QGroupBox*>(widget) != nullptr) {
        return text + 16; // the border line's start and end either side of the caption
    }
    return text;
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
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("takesFocus");

        const auto row = [](const char* name, const char* kind, const char* container,
                            QRect geometry, const QString& caption, bool bold, bool focus) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(kind)
                                << QString::fromLatin1(container) << geometry << caption << bold
                                << focus;
        };
        row("Picture1", "QLabel", "Form1", {312, 8, 125, 119}, QString(), false, true);
        row("Frame4", "QGroupBox", "Form1", {8, 128, 433, 73}, u"About:"_s, false, false);
        row("Command4", "QPushButton", "Frame4", {8, 40, 129, 25}, u"Velmora Workshop"_s, false,
            true);
        row("Command2", "QPushButton", "Frame4", {8, 16, 129, 25}, u"Dornwick"_s, false, true);
        row("Label5", "QLabel", "Frame4", {296, 48, 113, 17}, u"vworkshop.example"_s, false, false);
        row("Label4", "QLabel", "Frame4", {296, 32, 97, 17}, u"dornwick.example"_s, false, false);
        row("Label6", "QLabel", "Frame4", {296, 16, 113, 17}, u"On the web:"_s, true, false);
        row("Label7", "QLabel", "Frame4", {152, 32, 121, 17}, u"The Velmora fan crew"_s, false,
            false);
        row("Label8", "QLabel", "Frame4", {152, 16, 97, 17}, u"Names by:"_s, true, false);
        row("Frame3", "QGroupBox", "Form1", {160, 8, 145, 49}, u"Generate:"_s, false, false);
        row("Command1", "QPushButton", "Frame3", {8, 16, 129, 25}, u"Generate Name"_s, false, true);
        row("Frame2", "QGroupBox", "Form1", {8, 64, 297, 57}, u"Generated Name:"_s, false, false);
        row("TextName", "QLineEdit", "Frame2", {8, 24, 281, 19}, QString(), false, true);
        row("Frame1", "QGroupBox", "Form1", {8, 8, 145, 49}, u"Gender:"_s, false, false);
        row("OptionFemale", "QRadioButton", "Frame1", {72, 24, 65, 17}, u"Female"_s, false, true);
        row("OptionMale", "QRadioButton", "Frame1", {8, 24, 65, 17}, u"Male"_s, false, true);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, container);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(bool, bold);
        QFETCH(bool, takesFocus);

        ui::Form1 form; // never loaded, so it draws nothing
        const QWidget* widget = testing::control(form, qPrintable(name));

        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), kind);
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(widget->geometry(), geometry);
        QVERIFY(widget->parentWidget()->rect().contains(widget->geometry()));
        QCOMPARE(captionOf(widget), caption);
        QVERIFY(!caption.contains(u'&')); // no access keys

        QCOMPARE(widget->font().family(), u"MS Sans Serif"_s);
        QCOMPARE(widget->font().pointSizeF(), 8.25);
        QCOMPARE(widget->font().weight(), bold ? QFont::Bold : QFont::Normal);
        // Captions are measured in MS Sans Serif's first substitute, which the
        // test command installs; any other font would measure something else.
        QVERIFY2(QFontDatabase::hasFamily(u"Liberation Sans"_s),
                 "Liberation Sans is not installed (Debian: fonts-liberation, which "
                 "scripts/install-deps.sh installs): the captions cannot be measured");
        QCOMPARE(QFontInfo(widget->font()).family(), u"Liberation Sans"_s);
        QVERIFY2(widthNeeded(widget) <= widget->width(),
                 qPrintable(u"needs %1 pixels"_s.arg(widthNeeded(widget))));
        QCOMPARE(bool(widget->focusPolicy() & Qt::TabFocus), takesFocus);
        QVERIFY(widget->isEnabled());
    }

    void colours_data()
    {
        QTest::addColumn<QColor>("systemButtonText");
        QTest::addColumn<QColor>("buttonCaption");
        // A light theme's caption colour reads on the white faces and is kept;
        // a dark theme's light one would vanish there and gives way to black.
        QTest::newRow("light theme") << QColor(0, 0, 0) << QColor(0, 0, 0);
        QTest::newRow("light theme, coloured captions") << QColor(0, 80, 0) << QColor(0, 80, 0);
        QTest::newRow("dark theme") << QColor(238, 238, 236) << QColor(0, 0, 0);
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

        QCOMPARE(form.palette().color(QPalette::Window), navy);
        for (const char* name :
             {"Frame1", "Frame2", "Frame3", "Frame4", "OptionMale", "OptionFemale", "Label4",
              "Label5", "Label6", "Label7", "Label8"}) {
            const QWidget* widget = testing::control(form, name);
            QVERIFY2(widget->palette().color(widget->backgroundRole()) == navy, name);
            QVERIFY2(widget->palette().color(widget->foregroundRole()) == white, name);
        }
        for (const char* name : {"Label4", "Label5", "Label6", "Label7", "Label8"}) {
            QVERIFY2(testing::control(form, name)->autoFillBackground(), name); // opaque
        }
        for (const char* name : {"Command1", "Command2", "Command4"}) {
            const auto* button = testing::control<QPushButton>(form, name);
            QCOMPARE(button->palette().color(QPalette::Button), white);
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
        QCOMPARE(form.size(), QSize(449, 209));
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

    void banner()
    {
        ui::Form1 form;
        const auto* picture = testing::control<QLabel>(form, "Picture1");
        const QPixmap image = picture->pixmap();
        QCOMPARE(image.size(), QSize(125, 119));
        QCOMPARE(picture->size(), image.size());
        QCOMPARE(picture->frameShape(), QFrame::NoFrame);
        QVERIFY(!picture->hasScaledContents());
        // The banner's ground is the window's navy, so the two merge.
        const QImage pixels = image.toImage();
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(124, 0), QPoint(0, 118), QPoint(124, 118)}) {
            QCOMPARE(pixels.pixelColor(corner), navy);
        }
    }

    void initialStateAndAccessibleNames()
    {
        ui::Form1 form;
        form.show();
        QVERIFY(!testing::control<QRadioButton>(form, "OptionMale")->isChecked());
        QVERIFY(!testing::control<QRadioButton>(form, "OptionFemale")->isChecked());
        auto* name = testing::control<QLineEdit>(form, "TextName");
        QVERIFY(name->text().isEmpty());
        QVERIFY(name->isReadOnly());

        QAccessibleInterface* nameBox = QAccessible::queryAccessibleInterface(name);
        QVERIFY(nameBox != nullptr);
        QCOMPARE(nameBox->text(QAccessible::Name), u"Generated Name"_s);
        QAccessibleInterface* banner =
            QAccessible::queryAccessibleInterface(testing::control(form, "Picture1"));
        QVERIFY(banner != nullptr);
        QVERIFY(banner->text(QAccessible::Description).contains(u"NAME GENERATOR"_s));
    }

    void focusChainFollowsTheTabIndexes()
    {
        ui::Form1 form;
        const QStringList expected{u"OptionMale"_s, u"OptionFemale"_s, u"TextName"_s, u"Command1"_s,
                                   u"Command4"_s,   u"Command2"_s,     u"Picture1"_s};
        QStringList chain;
        QWidget* widget = testing::control(form, "OptionMale");
        do {
            if (widget->focusPolicy() & Qt::TabFocus) {
                chain.append(widget->objectName());
            }
            widget = widget->nextInFocusChain();
        } while (widget->objectName() != u"OptionMale"_s);
        QCOMPARE(chain, expected);
    }

    // The Tab key walks that chain. As on other desktops, the two option
    // buttons form one stop: Tab enters the group, the arrow keys move in it.
    void tabKeyWalksTheWindow()
    {
        ui::Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget()->objectName(), u"OptionMale"_s);

        const auto walk = [](Qt::Key key, qsizetype steps) {
            QStringList visited;
            for (qsizetype i = 0; i < steps; ++i) {
                QTest::keyClick(QApplication::focusWidget(), key);
                visited.append(QApplication::focusWidget()->objectName());
            }
            return visited;
        };
        QCOMPARE(walk(Qt::Key_Tab, 6),
                 QStringList({u"TextName"_s, u"Command1"_s, u"Command4"_s, u"Command2"_s,
                              u"Picture1"_s, u"OptionMale"_s}));
        QCOMPARE(walk(Qt::Key_Backtab, 2), QStringList({u"Picture1"_s, u"Command2"_s}));
        // Moving around never chose a gender.
        QVERIFY(!testing::control<QRadioButton>(form, "OptionMale")->isChecked());
        QVERIFY(!testing::control<QRadioButton>(form, "OptionFemale")->isChecked());
    }
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
