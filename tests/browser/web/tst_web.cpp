// The page in a real browser, Chromium, Firefox or WebKitGTK as
// VELMORA_BROWSER says: every scenario of scenarios.h played with real key
// and mouse input, the window's places and its colours in a dark colour
// scheme, the links' new tabs and the page working offline, with no console
// error and no failed request. Where Chromium's DevTools are needed, in
// Chromium alone: its pictures in the states of states.h, an accessibility
// audit by axe-core, what its accessibility tree announces, an older
// browser, and the page installed as an app.
// Scenarios and pictures use the web build's scripted page (tests/browser/scriptedpage),
// whose random source plays back the values in its address.

#include "browser/web/bidisession.h"
#include "browser/web/classicsession.h"
#include "common/namelistfiles.h"
#include "common/referencepicture.h"
#include "common/scriptedrandom.h"
#include "links/webaddresses.h"
#include "pictures/states.h"
#include "scenarios/scenarios.h"
#include "scenarios/stepcheck.h"
#include "ui/form1description.h"
#include "ui/narrowarrangement.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>

#include <algorithm>
#include <memory>
#include <tuple>

using namespace Qt::StringLiterals;
namespace sc = scenarios;

namespace {

// Whether the page's window is shown, with its fonts, its picture and a
// control with the focus.
const QString WindowReady = uR"(
    return document.getElementById("Form1")?.hidden === false && document.fonts.status == "loaded"
        && document.getElementById("Picture1").complete && document.activeElement != document.body;)"_s;

// After axe-core's own script: what it finds wrong, a line each.
const QString Audit = uR"(
    return axe.run(document).then((result) => result.violations.map((violation) =>
        violation.id + ": " + violation.help).join("\n"));)"_s;

// Notes in the scripted page what a screen reader hears and each page it
// asks the browser for; with shellRefuses, the browser opens none.
const QString OpenScripted = uR"(
    Object.assign(window, {heard: [], pages: []});
    new MutationObserver((records) => records.forEach((record) =>
        record.addedNodes.forEach((node) => heard.push(node.textContent))))
        .observe(document.getElementById("announcement"), {childList: true});
    const open = window.open, shellRefuses = arguments[0];
    window.open = (url, target, features) => {
        pages.push(target === "_blank" && /noopener/.test(features) ? url : "in this tab: " + url);
        return shellRefuses ? null : open(url, target, features);
    };)"_s;

// What the page shows and did, for the step checker; the error box, if
// one opened, is read and then closed with the keyboard.
const QString Observe = uR"(
    return {name: TextName.value, male: OptionMale.checked, female: OptionFemale.checked,
            focus: document.activeElement.id, heard: heard.splice(0), pages: pages.splice(0),
            draws: scripted.draws, seeds: scripted.seeds.length, seed: scripted.seeds[0],
            boxes: [...document.querySelectorAll("#error-box[open] > p")].map((p) => p.textContent),
            shown: !document.getElementById("Form1").hidden};)"_s;

// The test functions that need Chromium's DevTools, which the other
// engines lack: they run in Chromium alone.
const QStringList NeedDevTools{u"looks"_s,
                               u"passesAnAccessibilityAudit"_s,
                               u"announcesInTheAccessibilityTree"_s,
                               u"startsInAnOlderBrowser"_s,
                               u"installsAsAnApp"_s,
                               u"narrowAsAPhone"_s};

// What of the controls with the ids of arguments[0] is cut off, and each
// target of arguments[1] under 24 by 24 CSS pixels whose 24-pixel circle
// meets another target or its circle (WCAG 2.2, 2.5.8): a line each.
const QString CutOffOrCramped = uR"(
    const [controls, targets] = arguments;
    const wrong = document.documentElement.scrollWidth > innerWidth ? ["the page scrolls sideways"] : [];
    for (const id of controls) {
        const box = byId(id).getBoundingClientRect();
        if (box.left < 0 || box.top < 0 || box.right > innerWidth) {
            wrong.push(id + " is cut off");
        }
    }
    const boxes = targets.map((id) => byId(id).getBoundingClientRect());
    const small = (box) => box.width < 24 || box.height < 24;
    const middle = (box) => ({x: box.x + box.width / 2, y: box.y + box.height / 2});
    const apart = (point, box) => Math.hypot(Math.max(box.left - point.x, 0, point.x - box.right),
                                             Math.max(box.top - point.y, 0, point.y - box.bottom));
    boxes.forEach((box, index) => boxes.forEach((other, at) => {
        const centre = middle(other);
        if (at != index && small(box) && (apart(middle(box), other) < 12 || (small(other) &&
                apart(middle(box), {left: centre.x, right: centre.x, top: centre.y, bottom: centre.y}) < 24))) {
            wrong.push(targets[index] + " is too close to " + targets[at]);
        }
    }));
    return wrong.join("\n");)"_s;

// A control's element, for its place: an option's is the label round its input.
const QString ControlElement = uR"(
    const byId = (id) => { const element = document.getElementById(id);
                           return element.type == "radio" ? element.parentElement : element; };)"_s;

std::unique_ptr<testing::BrowserSession> StartedBrowser(const QString& engine)
{
    using testing::ClassicSession;
    if (engine == u"firefox"_s) {
        return std::make_unique<testing::BidiSession>();
    }
    return std::make_unique<ClassicSession>(
        engine == u"webkit"_s ? ClassicSession::Engine::WebKit : ClassicSession::Engine::Chromium);
}

} // namespace

class TestWeb : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        const QString page = u"" VELMORA_WEB_BUILD_DIR "/scripted-site/index.html"_s;
        QVERIFY2(QFile::exists(page),
                 qPrintable(
                     u"no page in "_s + page +
                     u": build it first, with cmake --preset web && cmake --build --preset web"_s));
        // The build's sites in a folder of this test's own, where it can put
        // a release of its own beside them.
        for (const QString& site : {u"site"_s, u"scripted-site"_s}) {
            QVERIFY(QFile::link(u"" VELMORA_WEB_BUILD_DIR "/"_s + site, m_served.filePath(site)));
        }
        m_browser = StartedBrowser(qEnvironmentVariable("VELMORA_BROWSER"));
        QVERIFY2(m_browser->begin(m_served.path()),
                 "no static server, browser or driver (scripts/test.sh installs them)");
    }
    void init()
    {
        m_browser->closeOtherTabs();
        if (!m_browser->hasDevTools() &&
            NeedDevTools.contains(QLatin1StringView(QTest::currentTestFunction()))) {
            QSKIP("needs Chromium's DevTools");
        }
    }
    // Whatever a test did, the page logged no error and asked for nothing it could not have.
    void cleanup()
    {
        const QStringList errors = m_browser->errors();
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
    }

    void play_data()
    {
        QTest::addColumn<const sc::Scenario*>("scenario");
        const sc::Engine engine = qEnvironmentVariable("VELMORA_BROWSER") == u"webkit"_s
                                      ? sc::Engine::WebKit
                                      : sc::Engine::Web;
        for (const sc::Scenario& scenario : sc::Scenarios) {
            if (sc::RunsOn(scenario, engine)) {
                QTest::newRow(scenario.name.data()) << &scenario;
            }
        }
    }
    void play()
    {
        QFETCH(const sc::Scenario*, scenario);
        playScenario(*scenario);
    }

    void looks_data()
    {
        QTest::addColumn<const pictures::State*>("state");
        QTest::addColumn<double>("scale");
        for (const pictures::State& state : pictures::States) {
            for (const auto& [environment, scale] : {std::pair{"96dpi", 1.0}, {"144dpi", 1.5}}) {
                if (const auto name = pictures::PictureName(state, environment); !name.empty()) {
                    QTest::newRow(name.c_str()) << &state << scale;
                }
            }
        }
    }
    void looks();

    // Each control where the description puts it, in CSS pixels, relative
    // to what holds it: as the reference pictures show it in Chromium,
    // where the other engines draw text too differently to compare pixels.
    void placesAsDescribed()
    {
        openScripted(u"0.25"_s);
        const QString wrong = misplaced(ui::description::arrangement::WidePlaces());
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // In a dark colour scheme the window keeps its navy, and every caption
    // and the name read on their faces (WCAG AA).
    void keepsItsColoursInTheDark()
    {
        openScripted(u"0.25"_s);
        m_browser->click({u"OptionMale"_s, u"Command1"_s});
        QVERIFY(m_browser->run(u"return matchMedia('(prefers-color-scheme: dark)').matches"_s)
                    .toBool());
        QCOMPARE(m_browser->run(u"return getComputedStyle(Form1).backgroundColor"_s).toString(),
                 u"rgb(0, 0, 128)"_s);
        QJsonArray names;
        for (const ui::description::Control& control : ui::description::Controls) {
            if (control.kind != ui::description::Kind::PictureBox) {
                names.append(QString::fromLatin1(control.name));
            }
        }
        const QJsonValue colours = m_browser->run(
            ControlElement + u"return arguments[0].map((id) => [getComputedStyle(byId(id)).color,"
                             u"    getComputedStyle(byId(id)).backgroundColor])"_s,
            {QJsonValue(names)});
        for (qsizetype index = 0; index < names.size(); ++index) {
            const auto rgb = [](const QJsonValue& css) {
                const QStringList parts = css.toString().sliced(4).chopped(1).split(u", "_s);
                return ui::description::Rgb{static_cast<std::uint8_t>(parts.value(0).toInt()),
                                            static_cast<std::uint8_t>(parts.value(1).toInt()),
                                            static_cast<std::uint8_t>(parts.value(2).toInt())};
            };
            const QJsonValue pair = colours[index];
            QVERIFY2(ui::description::ContrastRatio(rgb(pair[0]), rgb(pair[1])) >= 4.5,
                     qPrintable(names[index].toString() + u": "_s + pair[0].toString() + u" on "_s +
                                pair[1].toString()));
        }
    }

    void narrow_data()
    {
        QTest::addColumn<int>("width");
        for (const int width : {360, 320}) {
            QTest::addRow("%d", width) << width;
        }
    }
    // Below 465 CSS pixels the window is arranged anew: nothing cut off,
    // every target big enough or far enough from the others, and each
    // control at its narrow place.
    void narrow()
    {
        QFETCH(int, width);
        m_browser->narrowTo(width);
        const auto wide = qScopeGuard([this] { m_browser->narrowTo(0); });
        openScripted(u"0.25"_s);
        QJsonArray targets, controls;
        for (const ui::description::Control& control : ui::description::Controls) {
            controls.append(QString::fromLatin1(control.name));
            if (ui::description::TakesFocus(control.kind)) {
                targets.append(QString::fromLatin1(control.name));
            }
        }
        const QString wrong =
            (m_browser->run(ControlElement + CutOffOrCramped, {controls, targets}).toString() +
             u'\n' + misplaced(ui::description::NarrowPlaces()))
                .trimmed();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }
    // On a phone in a light colour scheme, its pictures, and a scenario tapped through.
    void narrowAsAPhone_data() { narrow_data(); }
    void narrowAsAPhone()
    {
        QFETCH(int, width);
        m_browser->narrowTo(width);
        const QJsonObject light{{u"name"_s, u"prefers-color-scheme"_s}, {u"value"_s, u"light"_s}};
        m_browser->devTools(u"Emulation.setEmulatedMedia"_s, {{u"features"_s, QJsonArray{light}}});
        const auto wide = qScopeGuard([this] {
            m_browser->narrowTo(0);
            m_browser->devTools(u"Emulation.setEmulatedMedia"_s, {{u"features"_s, QJsonArray{}}});
        });
        openScripted(u"0.25"_s);
        for (const QString& state : {u"opened"_s, u"name-shown"_s}) {
            if (state == u"name-shown"_s) {
                m_browser->tap({u"OptionMale"_s, u"Command1"_s});
            }
            const QString problem = testing::CompareOrUpdateReference(
                m_browser->picture(u"Form1"_s), u"web/narrow-%1-%2"_s.arg(width).arg(state));
            QVERIFY2(problem.isEmpty(), qPrintable(problem));
        }
        // Turned sideways, the page takes the wide arrangement as it stands.
        m_browser->devTools(u"Emulation.setDeviceMetricsOverride"_s, {{u"width"_s, 640},
                                                                      {u"height"_s, width},
                                                                      {u"deviceScaleFactor"_s, 3},
                                                                      {u"mobile"_s, true}});
        QTRY_COMPARE(misplaced(ui::description::arrangement::WidePlaces()), QString());
        playScenario(sc::Scenarios.front(), true);
    }

    // axe-core, the rules browsers' own audits run, with a name shown.
    void passesAnAccessibilityAudit()
    {
        openScripted(u"0.25"_s);
        m_browser->click({u"OptionFemale"_s, u"Command1"_s});
        QFile axe(QStringLiteral(VELMORA_AXE_SCRIPT));
        QVERIFY2(axe.open(QIODevice::ReadOnly), "no axe-core (scripts/install-deps.sh --tests)");
        const QString wrong = m_browser->run(QString::fromUtf8(axe.readAll()) + Audit).toString();
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // What screen readers are given: each new name in a polite live region.
    void announcesInTheAccessibilityTree()
    {
        openScripted(u"0.25"_s);
        m_browser->click({u"OptionMale"_s, u"Command1"_s});
        const QString heard = QStringView(sc::AnnouncedBeforeName).toString() +
                              m_browser->run(u"return TextName.value"_s).toString();
        m_browser->devTools(u"Accessibility.enable"_s);
        const QJsonArray nodes =
            m_browser->devTools(u"Accessibility.getFullAXTree"_s)[u"nodes"_s].toArray();
        const auto live = [](const QJsonValue& node) {
            const QJsonArray properties = node[u"properties"_s].toArray();
            return std::ranges::any_of(properties, [](const QJsonValue& property) {
                return property[u"name"_s] == u"live"_s &&
                       property[u"value"_s][u"value"_s] == u"polite"_s;
            });
        };
        const auto region = std::ranges::find_if(nodes, live);
        QVERIFY2(region != nodes.end(), "no polite live region");
        const auto said = std::ranges::find_if(nodes, [&](const QJsonValue& node) {
            return (*region)[u"childIds"_s].toArray().contains(node[u"nodeId"_s]) &&
                   node[u"name"_s][u"value"_s] == heard;
        });
        QVERIFY2(said != nodes.end(), qPrintable(u"the live region does not say "_s + heard));
        m_browser->devTools(u"Accessibility.disable"_s);
    }

    // The link buttons open their pages in tabs of their own, which get no
    // hold of this one.
    void linksOpenNewTabs()
    {
        m_browser->open(u"site/"_s);
        QVERIFY(m_browser->waitFor(WindowReady));
        const QString page = m_browser->tabs().constFirst(); // the only one
        for (const auto& [button, address] : {std::pair{u"Command2"_s, links::DornwickHomePage},
                                              {u"Command4"_s, links::VelmoraWorkshopHomePage}}) {
            m_browser->click({button});
            QVERIFY(QTest::qWaitFor([this] { return m_browser->tabs().size() == 2; }));
            QStringList tabs = m_browser->tabs();
            tabs.removeAll(page);
            m_browser->switchTo(tabs.constFirst());
            QTRY_COMPARE_WITH_TIMEOUT(m_browser->address(), QStringView(address).toString(), 30000);
            QCOMPARE(m_browser->run(u"return window.opener"_s), QJsonValue(QJsonValue::Null));
            m_browser->closeOtherTabs();
        }
    }

    // An older browser: no Uint8Array.fromBase64, and it compiles only
    // small programs at once, as older Chromium did. The page decodes the
    // program with atob and has it compiled in the background.
    void startsInAnOlderBrowser()
    {
        const QString older = u"delete Uint8Array.fromBase64;"
                              u"WebAssembly.Module = function () {"
                              u"    throw new RangeError('only small programs at once'); };"_s;
        const QJsonValue added =
            m_browser->devTools(u"Page.addScriptToEvaluateOnNewDocument"_s, {{u"source"_s, older}});
        const auto removed = qScopeGuard([&] {
            m_browser->devTools(u"Page.removeScriptToEvaluateOnNewDocument"_s,
                                {{u"identifier"_s, added[u"identifier"_s]}});
        });
        m_browser->open(u"site/"_s);
        QVERIFY(m_browser->waitFor(WindowReady));
        QVERIFY(m_browser
                    ->run(u"return !Uint8Array.fromBase64 &&"
                          u"    WebAssembly.Module.toString().includes('RangeError')"_s)
                    .toBool());
        m_browser->click({u"OptionMale"_s, u"Command1"_s});
        QVERIFY(testing::maleListFile().contains(
            m_browser->run(u"return TextName.value"_s).toString()));
    }

    // The page, titled as the window, offers to install as an app.
    void installsAsAnApp()
    {
        m_browser->open(u"site/"_s);
        QVERIFY(m_browser->waitFor(WindowReady));
        QVERIFY(m_browser->waitFor(u"return !!navigator.serviceWorker.controller"_s));
        const QJsonValue installability = m_browser->devTools(u"Page.getInstallabilityErrors"_s);
        QCOMPARE(installability[u"installabilityErrors"_s].toArray(), QJsonArray());
        // Installed, it opens the page and stays in the site's folder, here
        // a folder of its host.
        const QString title = QStringView(ui::description::Title).toString();
        const QString folder = m_browser->address();
        QVERIFY(folder.endsWith(u"/site/"_s));
        QCOMPARE(m_browser->run(uR"(
            return fetch("manifest.webmanifest").then((answer) => answer.json()).then((manifest) =>
                [document.title, manifest.name, new URL(manifest.start_url, location).href,
                 new URL(manifest.scope, location).href]);)"_s),
                 QJsonValue(QJsonArray{title, title, folder, folder}));
    }

    // A new release of a site reaches a returning visitor on the visit
    // after the one that finds it, and takes the place of the last one's
    // cache, leaving the other sites' caches on the host alone.
    void updatesAReturningVisitor()
    {
        m_browser->open(u"site/"_s);
        QVERIFY(m_browser->waitFor(u"return !!navigator.serviceWorker.controller"_s));
        // The last release, put up yesterday, so that the browser's cache
        // may keep its files a while, as it does a web server's.
        const QDir release(m_served.filePath(u"returning"_s));
        QVERIFY(release.mkpath(u"."_s));
        const auto putUp = [](QFile& file, QDateTime when) {
            return file.flush() && file.setFileTime(when, QFileDevice::FileModificationTime);
        };
        for (const QFileInfo& file :
             QDir(u"" VELMORA_WEB_BUILD_DIR "/site"_s).entryInfoList(QDir::Files)) {
            QFile copy(release.filePath(file.fileName()));
            QVERIFY(QFile::copy(file.filePath(), copy.fileName()) &&
                    copy.open(QIODevice::ReadOnly));
            QVERIFY(putUp(copy, QDateTime::currentDateTime().addDays(-1)));
        }
        m_browser->open(u"returning/"_s);
        QVERIFY(m_browser->waitFor(u"return !!navigator.serviceWorker.controller"_s));

        // The next release: a page that says so, and so a new worker.
        for (const auto& [file, before, after] :
             {std::tuple{u"index.html"_s, u"<head>"_s, u"<head><meta name=release content=2>"_s},
              {u"serviceworker.js"_s, u"cachePrefix + \""_s, u"cachePrefix + \"2-"_s}}) {
            QFile text(release.filePath(file));
            QVERIFY(text.open(QIODevice::ReadWrite));
            const QByteArray changed = text.readAll().replace(before.toUtf8(), after.toUtf8());
            QVERIFY(text.resize(0) && text.write(changed) == changed.size());
            QVERIFY(putUp(text, QDateTime::currentDateTime()));
        }
        const QString caches = uR"(
            return caches.keys().then((names) => names.filter((name) => name.includes(arguments[0]))
                .map((name) => name.split(" ").pop().slice(0, 2)));)"_s;
        m_browser->open(u"returning/"_s);
        QTRY_COMPARE_WITH_TIMEOUT(m_browser->run(caches, {u"/returning/"_s}),
                                  QJsonValue(QJsonArray{u"2-"_s}), 30000);
        m_browser->open(u"returning/?a-later-visit"_s);
        QVERIFY(m_browser->waitFor(WindowReady));
        QVERIFY(
            m_browser->run(u"return !!document.querySelector('meta[name=release]')"_s).toBool());
        QCOMPARE(m_browser->run(caches, {u"/site/"_s}).toArray().size(), 1);
    }

    // Last, as it ends the server: after the first visit the service worker
    // keeps every file the page was sent, and the page opens and works
    // with the network gone.
    void worksOffline()
    {
        m_browser->open(u"site/"_s);
        QVERIFY(m_browser->waitFor(WindowReady));
        QVERIFY(m_browser->waitFor(u"return !!navigator.serviceWorker.controller"_s));
        QStringList site = m_browser->served().filter(QRegularExpression(u"^site/"_s));
        site.removeAll(u"site/serviceworker.js"_s);
        site.removeDuplicates();
        const QJsonValue unkept = m_browser->run(
            u"return Promise.all(arguments[0].map((path) => caches.match('/' + path)))"
            u"    .then((kept) => arguments[0].filter((path, index) => !kept[index]))"_s,
            {QJsonValue(QJsonArray::fromStringList(site))});
        QCOMPARE(unkept, QJsonValue(QJsonArray()));

        m_browser->stopServing();
        // From every address a person may have saved or installed for it.
        for (const QString& address : {u"site/#saved"_s, u"site/index.html"_s,
                                       u"site/index.html?from=home#screen"_s, u"site/"_s}) {
            m_browser->open(address);
            QVERIFY2(m_browser->waitFor(WindowReady), qPrintable(address));
        }
        m_browser->click({u"OptionMale"_s, u"Command1"_s});
        const QString name = m_browser->run(u"return TextName.value"_s).toString();
        QVERIFY2(testing::maleListFile().contains(name),
                 qPrintable(u"offline, the page shows \""_s + name + u"\""_s));
    }

private:
    void openScripted(const QString& draws, bool shellRefuses = false)
    {
        m_browser->open(u"scripted-site/index.html?"_s + draws);
        QVERIFY(m_browser->waitFor(WindowReady));
        m_browser->run(OpenScripted, {shellRefuses});
    }
    // With touch, each click a finger's tap.
    void playScenario(const sc::Scenario& scenario, bool touch = false);
    // Each control not at its place, relative to what holds it, a line each.
    QString
    misplaced(const std::array<ui::description::Twips, ui::description::Controls.size()>& places);

    QTemporaryDir m_served; // what the browser is served
    std::unique_ptr<testing::BrowserSession> m_browser;
};

void TestWeb::playScenario(const sc::Scenario& scenario, bool touch)
{
    QStringList draws;
    std::ranges::transform(scenario.draws, std::back_inserter(draws),
                           [](double value) { return QString::number(value, 'g', 17); });
    openScripted(draws.join(u','), scenario.shellRefuses);
    // The page runs far from UTC, where a seed from the wrong clock shows.
    const QJsonValue loaded = m_browser->run(Observe);
    testing::ScriptedRandom load;
    load.reseeds = loaded[u"seeds"_s].toInt();
    load.lastSeed = static_cast<float>(loaded[u"seed"_s].toDouble());
    load.draws = static_cast<std::size_t>(loaded[u"draws"_s].toInt());
    const auto badLoad = sc::CheckLoad(load, QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
    QVERIFY2(badLoad.empty(), sc::Joined(badLoad).c_str());

    using namespace testing::keys;
    // In the order of sc::Key.
    const QStringList chords{{}, Tab,  Shift + Tab, Left,   Right,
                             Up, Down, Space,       Return, KeypadEnter};
    const auto act = [&](const sc::Step& step, std::u16string& copied) {
        const QString control = QString::fromLatin1(step.control);
        switch (step.action) {
        case sc::Do::Click:
            touch ? m_browser->tap({control}) : m_browser->click({control});
            break;
        case sc::Do::DoubleClick:
            m_browser->click({control}, 2);
            break;
        case sc::Do::Press:
            m_browser->press({chords.at(static_cast<qsizetype>(step.key))});
            break;
        case sc::Do::Focus:
            m_browser->run(u"document.getElementById(arguments[0]).focus()"_s, {control});
            break;
        case sc::Do::LeaveAndReturn: // to a new window, closed again
            m_browser->openWindow();
            m_browser->closeOtherTabs();
            break;
        case sc::Do::Type:
            m_browser->press(
                {u"Z"_s, u"e"_s, u"d"_s, Backspace, Delete, Control + u'x', Control + u'v'});
            break;
        case sc::Do::Copy:
            m_browser->press({Control + u'a', Control + u'c'});
            copied = m_browser->run(u"return navigator.clipboard.readText()"_s)
                         .toString()
                         .toStdU16String();
            break;
        case sc::Do::Look: // PlaySteps acts on no Look step
        case sc::Do::Toggle:
        case sc::Do::FocusReportsClick:
            QFAIL("no such action in a browser");
        }
    };
    QStringList unexplained;
    const auto look = [&](sc::Observation& seen) {
        const QJsonValue page = m_browser->run(Observe);
        seen.nameAfter = page[u"name"_s].toString().toStdU16String();
        seen.drawsAfter = static_cast<std::size_t>(page[u"draws"_s].toInt());
        seen.maleChosen = page[u"male"_s].toBool();
        seen.femaleChosen = page[u"female"_s].toBool();
        seen.focus = page[u"focus"_s].toString().toStdString();
        for (const auto& [key, texts] : {std::pair{u"pages"_s, &seen.pages},
                                         {u"boxes"_s, &seen.boxes},
                                         {u"heard"_s, &seen.heard}}) {
            for (const QJsonValue text : page[key].toArray()) {
                texts->push_back(text.toString().toStdU16String());
            }
        }
        seen.reseeds = page[u"seeds"_s].toInt();
        seen.windowShown = page[u"shown"_s].toBool();
        // What a box says, the page logs as an error too; nothing else.
        for (const QString& error : m_browser->errors()) {
            if (std::ranges::none_of(seen.boxes, [&](const std::u16string& box) {
                    return error.contains(QString::fromStdU16String(box).section(u'\n', -1));
                })) {
                unexplained.append(error);
            }
        }
        if (!seen.boxes.empty()) {
            m_browser->press({Return}); // on its OK button, which has the focus
        }
        if (!seen.pages.empty()) {
            m_browser->closeOtherTabs(); // back from the pages opened, as a person would come
        }
    };
    const std::string wrong = sc::PlaySteps(scenario, act, look);
    QVERIFY2(wrong.empty(), wrong.c_str());
    QVERIFY2(unexplained.isEmpty(), qPrintable(unexplained.join(u'\n')));
}

void TestWeb::looks()
{
    QFETCH(const pictures::State*, state);
    QFETCH(double, scale);
    const QJsonObject scheme{{u"name"_s, u"prefers-color-scheme"_s},
                             {u"value"_s, state->darkTheme ? u"dark"_s : u"light"_s}};
    m_browser->devTools(u"Emulation.setEmulatedMedia"_s, {{u"features"_s, QJsonArray{scheme}}});
    m_browser->devTools(u"Emulation.setDeviceMetricsOverride"_s, {{u"width"_s, 800},
                                                                  {u"height"_s, 600},
                                                                  {u"deviceScaleFactor"_s, scale},
                                                                  {u"mobile"_s, false}});
    openScripted(u"0.25"_s);
    if (state->nameShown) {
        m_browser->click({u"OptionMale"_s, u"Command1"_s});
    }
    // As the Tab key brings it from the control before it, which selects
    // the name box's text. The first one has it as the window opens.
    const auto chain = ui::description::FocusChain();
    const auto at = std::ranges::find(chain, state->focus, &ui::description::Control::name);
    if (at != chain.begin()) {
        m_browser->run(u"document.getElementById(arguments[0]).focus()"_s,
                       {QString::fromLatin1((at - 1)->name)});
        m_browser->press({testing::keys::Tab});
    }
    QCOMPARE(m_browser->run(u"return document.activeElement.id"_s).toString(),
             QString::fromLatin1(state->focus));
    if (state->pressed) {
        m_browser->hold(QString::fromLatin1(state->focus));
    }
    const QImage picture = m_browser->picture(u"Form1"_s);
    m_browser->release();
    m_browser->devTools(u"Emulation.clearDeviceMetricsOverride"_s);
    m_browser->devTools(u"Emulation.setEmulatedMedia"_s, {{u"features"_s, QJsonArray{}}});
    const QString problem = testing::CompareOrUpdateReference(
        picture, u"web/"_s + QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

QString TestWeb::misplaced(
    const std::array<ui::description::Twips, ui::description::Controls.size()>& places)
{
    QJsonArray names;
    for (const ui::description::Control& control : ui::description::Controls) {
        names.append(
            QJsonArray{QString::fromLatin1(control.name), QString::fromLatin1(control.container)});
    }
    const QJsonValue boxes = m_browser->run(
        ControlElement +
            u"return arguments[0].map(([id, container]) => {"
            u"    const box = byId(id).getBoundingClientRect();"
            u"    const holder = byId(container).getBoundingClientRect();"
            u"    return [box.x - holder.x, box.y - holder.y, box.width, box.height]; })"_s,
        {QJsonValue(names)});
    QStringList wrong;
    for (std::size_t index = 0; index < places.size(); ++index) {
        const ui::description::Twips place = places[index];
        const QJsonArray box = boxes[static_cast<qsizetype>(index)].toArray();
        constexpr double pixel = ui::description::TwipsPerPixelAt96Dpi;
        const double described[] = {place.left / pixel, place.top / pixel, place.width / pixel,
                                    place.height / pixel};
        for (qsizetype side = 0; side < 4; ++side) {
            if (std::abs(box[side].toDouble() - described[side]) >= 0.5) {
                wrong.append(u"%1 is at %2,%3 %4x%5, not %6,%7 %8x%9"_s
                                 .arg(names[static_cast<qsizetype>(index)][0].toString())
                                 .arg(box[0].toDouble())
                                 .arg(box[1].toDouble())
                                 .arg(box[2].toDouble())
                                 .arg(box[3].toDouble())
                                 .arg(described[0])
                                 .arg(described[1])
                                 .arg(described[2])
                                 .arg(described[3]));
                break;
            }
        }
    }
    return wrong.join(u'\n');
}

QTEST_MAIN(TestWeb)
#include "tst_web.moc"
