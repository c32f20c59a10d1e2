// The web link launcher and the two link buttons, with Qt's URL handler
// standing in for the browser, so no test ever opens a real one.

#include "common/form1controls.h"
#include "common/scriptedrandom.h"
#include "links/module1.h"
#include "links/webaddresses.h"
#include "ui/qt/appearance.h"

#include <QDesktopServices>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString text(std::u16string_view address)
{
    return QString::fromStdU16String(std::u16string(address));
}

// Receives every URL that QDesktopServices is asked to open, the malformed
// ones and those without a scheme included, so an address the launcher
// refused is told apart from one that merely failed to open.
class BrowserStandIn : public QObject
{
    Q_OBJECT

public:
    BrowserStandIn()
    {
        for (const QString& scheme : Schemes) {
            QDesktopServices::setUrlHandler(scheme, this, "open");
        }
    }
    ~BrowserStandIn() override
    {
        for (const QString& scheme : Schemes) {
            QDesktopServices::unsetUrlHandler(scheme);
        }
    }
    static inline const QStringList Schemes{QString(), u"http"_s, u"https"_s, u"file"_s};

    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

} // namespace

class TestWebLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        ui::PrepareAppearance();
        testing::failOnHandlerErrors();
    }

    void addressesAreHomePagesOfReservedHosts_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("Dornwick") << text(links::DornwickHomePage);
        QTest::newRow("Velmora Workshop") << text(links::VelmoraWorkshopHomePage);
    }

    void addressesAreHomePagesOfReservedHosts()
    {
        QFETCH(QString, address);
        const QUrl url(address, QUrl::StrictMode);
        QVERIFY(url.isValid());
        QCOMPARE(url.scheme(), u"http"_s);
        QCOMPARE(url.path(), u"/"_s);
        QVERIFY(url.host().endsWith(u".example"_s));
        QCOMPARE(url.toString(), address);
    }

    void launcherHandsOverTheAddressAlone()
    {
        BrowserStandIn browser;
        const std::u16string address(links::DornwickHomePage);
        QVERIFY(links::OpenWebPage(address) > links::ShellSuccessAbove);
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(text(address))});
        QVERIFY(links::OpenWebPage(address) > links::ShellSuccessAbove);
        QCOMPARE(browser.opened.size(), 2); // no state between calls
    }

    void launcherRefusesWhatIsNoAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("empty") << QString();
        QTest::newRow("relative") << u"dornwick.example"_s;
        QTest::newRow("relative path") << u"/index.html"_s;
        QTest::newRow("blank in host") << u"http://dorn wick.example/"_s;
        QTest::newRow("bad escape") << u"http://dornwick.example/%zz"_s;
    }

    void launcherRefusesWhatIsNoAddress()
    {
        QFETCH(QString, address);
        BrowserStandIn browser;
        QVERIFY(links::OpenWebPage(address.toStdU16String()) <= links::ShellSuccessAbove);
        QVERIFY(browser.opened.isEmpty());
    }

    void buttonsUseTheRealLauncher_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("address");
        QTest::newRow("Dornwick") << u"Command2"_s << u"Label4"_s << text(links::DornwickHomePage);
        QTest::newRow("Velmora Workshop")
            << u"Command4"_s << u"Label5"_s << text(links::VelmoraWorkshopHomePage);
    }

    void buttonsUseTheRealLauncher()
    {
        QFETCH(QString, button);
        QFETCH(QString, label);
        QFETCH(QString, address);
        BrowserStandIn browser;
        testing::ScriptedRandom random;
        ui::Form1 form(random);
        form.Form_Load();

        // The About group shows the host that the button opens.
        QCOMPARE(testing::control<QLabel>(form, qPrintable(label))->text(), QUrl(address).host());
        QTest::mouseClick(testing::control(form, qPrintable(button)), Qt::LeftButton);
        QCOMPARE(browser.opened, QList<QUrl>{QUrl(address)});
    }
};

QTEST_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
