// The Qt launcher, with Qt's URL handler
// standing in for the browser. The buttons that use it are played in
// tests/scenarios, which see each press hand its address over again, and
// clicked in the whole-program tests.

#include "common/urlhandlerstandin.h"
#include "links/webaddresses.h"
#include "ui/qt/openwebpage.h"

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
    // An address is handed over alone; what is no absolute address is refused.
    void launcherHandsOverOnlyAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("handedOver");
        QTest::newRow("a home page") << text(links::DornwickHomePage) << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("relative") << u"dornwick.example"_s << false;
        QTest::newRow("relative path") << u"/index.html"_s << false;
        QTest::newRow("blank in host") << u"http://dorn wick.example/"_s << false;
        QTest::newRow("bad escape") << u"http://dornwick.example/%zz"_s << false;
    }

    void launcherHandsOverOnlyAddresses()
    {
        QFETCH(QString, address);
        QFETCH(bool, handedOver);
        testing::UrlHandlerStandIn browser;
        links::OpenWebPage(address.toStdU16String());
        QCOMPARE(browser.opened, handedOver ? QList<QUrl>{QUrl(address)} : QList<QUrl>());
    }
};

QTEST_MAIN(TestWebLinks)
#include "tst_weblinks.moc"
