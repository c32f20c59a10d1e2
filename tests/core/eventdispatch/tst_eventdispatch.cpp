// The event dispatcher every window engine shares, with a stand-in engine:
// Load before show, the texts of the reports, and the default reporter's
// one error box at a time. Each engine's own box is played in the
// scenarios, where a failing generate opens it.

#include "ui/eventdispatch.h"

#include <QTest>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

std::vector<std::u16string> errorLines;
std::vector<std::u16string> boxes;
// An error to raise while the next box is open, as its own painting might.
const char* errorWhileBoxOpen = nullptr;

// A start-up form whose Load may fail the way a fill that runs out of memory would.
struct StartupForm
{
    bool Load() noexcept
    {
        return ui::Dispatch([this] {
            ++loads;
            shownBeforeLoad = shown;
            if (fails) {
                throw std::bad_alloc();
            }
        });
    }
    void show() { shown = true; }

    bool fails = false;
    int loads = 0;
    bool shown = false;
    bool shownBeforeLoad = false;
};

} // namespace

namespace ui::engine {

std::u16string FromSystemCodePage(std::string_view text)
{
    return {text.begin(), text.end()};
}

void WriteErrorLine(const std::u16string& line)
{
    errorLines.push_back(line);
}

void ShowErrorBox(const std::u16string& message)
{
    boxes.push_back(message);
    if (const char* error = std::exchange(errorWhileBoxOpen, nullptr)) {
        QVERIFY(!Dispatch([error] { throw std::runtime_error(error); }));
    }
}

} // namespace ui::engine

class TestEventDispatch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        errorLines.clear();
        boxes.clear();
    }

    void loadRunsOnceBeforeShow_data()
    {
        QTest::addColumn<bool>("fails");
        QTest::newRow("Load returns: shown") << false;
        QTest::newRow("Load fails: reported, never shown") << true;
    }

    void loadRunsOnceBeforeShow()
    {
        QFETCH(bool, fails);
        StartupForm form{fails};
        QCOMPARE(ui::LoadThenShow(form), !fails);
        QCOMPARE(form.loads, 1);
        QVERIFY(!form.shownBeforeLoad);
        QCOMPARE(form.shown, !fails);
        QCOMPARE(boxes.size(), fails ? 1U : 0U);
    }

    void reportsWhatEndedTheHandler()
    {
        QVERIFY(ui::Dispatch([] {}));
        QVERIFY(!ui::Dispatch([] { throw std::out_of_range("index out of range"); }));
        QVERIFY(!ui::Dispatch([] { throw 42; }));
        QVERIFY(!ui::Dispatch([] { throw std::runtime_error(""); }));
        const std::u16string unknown = u"The action stopped because of an unknown error.";
        QCOMPARE(boxes, (std::vector<std::u16string>{
                            u"The action stopped because of an error:\nindex out of range", unknown,
                            unknown}));
        QCOMPARE(errorLines.front(), u"velmora2-name-generator: error: " + boxes.front());
    }

    // An error raised while the box is open goes to the error output only;
    // once the box is closed, the next error opens one again.
    void oneErrorBoxAtATime()
    {
        errorWhileBoxOpen = "while the box is open";
        QVERIFY(!ui::Dispatch([] { throw std::runtime_error("first error"); }));
        QCOMPARE(boxes.size(), 1U);
        QCOMPARE(errorLines.size(), 2U);
        QVERIFY(!ui::Dispatch([] { throw std::runtime_error("after the box closed"); }));
        QCOMPARE(boxes.size(), 2U);
    }

    // A reporter of the caller's replaces the box; one that fails in turn
    // leaves the program running.
    void reportersCanBeReplaced()
    {
        std::vector<std::u16string> reported;
        const ui::ErrorReporter collect = [&reported](const std::u16string& message) {
            reported.push_back(message);
        };
        QVERIFY(!ui::Dispatch([] { throw std::runtime_error("handler failed"); }, collect));
        QCOMPARE(reported.size(), 1U);
        // Out of memory, any other error, and a throw of no exception class.
        for (const auto& fail : std::initializer_list<void (*)()>{
                 [] { throw std::bad_alloc(); }, [] { throw std::runtime_error("no box"); },
                 [] { throw 42; }}) {
            const ui::ErrorReporter failing = [fail](const std::u16string&) { fail(); };
            QVERIFY(!ui::Dispatch([] { throw std::runtime_error("handler failed"); }, failing));
        }
        QVERIFY(boxes.empty());
    }
};

QTEST_GUILESS_MAIN(TestEventDispatch)
#include "tst_eventdispatch.moc"
