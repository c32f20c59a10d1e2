// The page in headless Chromium, from navigation to its window ready to
// generate a name, against a plain page with the same sixteen controls and
// no WebAssembly: the page's own window, once shown, saved as static HTML
// without its scripts. Each load starts with no cache and no service worker,
// as a first visit does; the two pages alternate, and each takes its median.
// Then what a first visit transfers: every file the server sends, gzipped.
//   build/bench/bench_webpage [rounds]     (after the web build)

#include "benchtiming.h"
#include "browser/web/classicsession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <cstdio>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

const QString BuildDir = QStringLiteral(VELMORA_WEB_BUILD_DIR);

// Milliseconds from navigation to the window ready, as the page marks it.
double readyAfter(testing::BrowserSession& browser, const QString& page)
{
    browser.open(page);
    const QString mark = u"const ready = performance.getEntriesByName('window-ready')[0];"
                         u"return ready ? ready.startTime : -1;"_s;
    double ready = -1;
    static_cast<void>(QTest::qWaitFor([&] { return (ready = browser.run(mark).toDouble()) >= 0; }));
    return ready;
}

// The page's window as it stands, without scripts, marking itself ready.
QByteArray plainPage(testing::BrowserSession& browser)
{
    browser.open(u"site/"_s);
    static_cast<void>(browser.waitFor(u"return !document.getElementById('Form1').hidden"_s));
    return browser
        .run(u"document.querySelectorAll('script').forEach((script) => script.remove());"
             u"return document.documentElement.outerHTML;"_s)
        .toString()
        .replace(u"<head>"_s, u"<head><base href=\"../site/\">"_s)
        .replace(u"</body>"_s, u"<script>performance.mark('window-ready')</script></body>"_s)
        .toUtf8();
}

// gzip's size: deflate's, as zlib packs it, less its frame, plus gzip's.
qsizetype gzipped(const QByteArray& bytes)
{
    constexpr qsizetype zlibFrame = 4 + 2 + 4;
    constexpr qsizetype gzipFrame = 10 + 8;
    return qCompress(bytes, 9).size() - zlibFrame + gzipFrame;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 21;

    // What a first visit transfers, the service worker's files and the
    // icons the browser fetches included.
    std::vector<double> page;
    std::vector<double> plain;
    {
        testing::ClassicSession browser(testing::ClassicSession::Engine::Chromium);
        if (!browser.begin(BuildDir)) {
            std::fprintf(stderr, "no server or browser\n");
            return 1;
        }
        browser.open(u"site/"_s);
        static_cast<void>(QTest::qWaitFor(
            [&] { return browser.run(u"return !!navigator.serviceWorker.controller"_s).toBool(); },
            10000));
        QTest::qWait(2000);
        qsizetype total = 0;
        for (const QString& path : browser.served()) {
            QFile file(BuildDir + u"/"_s + (path.endsWith(u'/') ? path + u"index.html"_s : path));
            if (file.open(QIODevice::ReadOnly)) {
                const qsizetype size = gzipped(file.readAll());
                std::printf("  %-40s %7lld bytes gzipped\n", qPrintable(path),
                            static_cast<long long>(size));
                total += size;
            }
        }
        std::printf("first visit: %lld bytes gzipped in all\n", static_cast<long long>(total));

        QDir(BuildDir).mkpath(u"bench-plain"_s);
        QFile saved(BuildDir + u"/bench-plain/index.html"_s);
        if (!saved.open(QIODevice::WriteOnly) || saved.write(plainPage(browser)) < 0) {
            return 1;
        }
        saved.close();
        browser.devTools(u"Network.enable"_s);
        browser.devTools(u"Network.setCacheDisabled"_s, {{u"cacheDisabled"_s, true}});
        browser.devTools(u"Network.setBypassServiceWorker"_s, {{u"bypass"_s, true}});
        for (int round = 0; round < rounds; ++round) {
            const bool pageFirst = round % 2 == 0;
            for (int turn = 0; turn < 2; ++turn) {
                const bool isPage = (turn == 0) == pageFirst;
                (isPage ? page : plain)
                    .push_back(readyAfter(browser, isPage ? u"site/"_s : u"bench-plain/"_s));
            }
        }
    }
    const double pageReady = bench::median(page);
    const double plainReady = bench::median(plain);
    std::printf("ready, median of %d: page %.1f ms, plain page %.1f ms, ratio %.2f\n", rounds,
                pageReady, plainReady, pageReady / plainReady);
    return 0;
}
