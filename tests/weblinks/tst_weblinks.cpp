// The web link launcher and its two addresses, with Qt's URL handler
// standing in for the browser. The buttons that use it are played in
// tests/scenarios, which see each address handed over alone on every
// press, and clicked in the whole-program tests.

#include "common/urlhandlerstandin.h"
#include "links/module1.h"
#include "links/webaddresses.h"

#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

QString text(std::u16string_view address)
{
    return QString::fromStdU16String(std::u16string(address));
}

} // namespace

class TestWebLinks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The home pages of the About group, under the reserved .example
    // domain. The whole-program tests click through to these constants.
    void addresses()
    {
        QCOMPARE(text(links::DornwickHomePage), u"http://dornwick.example/"_s);
        QCOMPARE(text(links::VelmoraWorkshopHomePage), u"http://vworkshop.example/"_s);
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
        testing::UrlHandlerStandIn browser;
        QVERIFY(links::OpenWebPage(address.toStdU16String()) <= links::ShellSuccessAbove);
        QVERIFY(browser.opened.isEmpty());
    }
};

QTEST_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
