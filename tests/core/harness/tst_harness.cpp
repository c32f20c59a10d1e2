// The tests' own machinery, shown to fail on what it must catch: the
// comparison of pictures with their references, the step checker of the
// scenarios and the check harness of the programs run under wine.

#include "common/referencepicture.h"
#include "scenarios/stepcheck.h"
#include "wine/checks/checks.h"

#include <QPainter>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;
namespace sc = scenarios;

class TestHarness : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pictures_data()
    {
        using Change = std::function<void(QImage&)>;
        QTest::addColumn<Change>("change");
        QTest::addColumn<bool>("caught");
        // Area, or all of the picture when none, painted over with colour in mode.
        const auto painted = [](QRect area, QColor colour,
                                QPainter::CompositionMode mode =
                                    QPainter::CompositionMode_SourceOver) {
            return Change([=](QImage& image) {
                QPainter painter(&image);
                painter.setCompositionMode(mode);
                painter.fillRect(area.isEmpty() ? image.rect() : area, colour);
            });
        };
        QTest::newRow("the same") << Change([](QImage&) {}) << false;
        QTest::newRow("glyph edges shaded a little otherwise")
            << painted({20, 30, 100, 1}, QColor(24, 24, 24),
                       QPainter::RasterOp_SourceXorDestination)
            << false;
        QTest::newRow("a shade lighter everywhere")
            << painted({}, QColor(40, 40, 40), QPainter::CompositionMode_Plus) << true;
        QTest::newRow("four stray pixels") << painted({100, 100, 2, 2}, Qt::red) << false;
        QTest::newRow("a caption's worth of pixels") << painted({100, 100, 5, 1}, Qt::red) << true;
        QTest::newRow("one pixel narrower") << Change([](QImage& image) {
            image = image.copy(0, 0, image.width() - 1, image.height());
        }) << true;
    }

    void pictures()
    {
        QFETCH(std::function<void(QImage&)>, change);
        QFETCH(bool, caught);
        QImage picture = QImage(QStringLiteral(VELMORA_REFERENCE_PICTURES "/qt/opened.png"))
                             .convertToFormat(QImage::Format_RGB32);
        QVERIFY(!picture.isNull());
        change(picture);
        QCOMPARE(!testing::CompareWithReference(picture, u"qt/opened"_s, {}, true).isEmpty(),
                 caught);
    }

    void stepChecker_data()
    {
        using Slip = std::function<void(sc::Observation&)>;
        QTest::addColumn<Slip>("slip");
        QTest::newRow("another name") << Slip([](auto& seen) { seen.nameAfter = u"Ann Other"; });
        QTest::newRow("a draw too many") << Slip([](auto& seen) { ++seen.drawsAfter; });
        QTest::newRow("nothing announced") << Slip([](auto& seen) { seen.heard.clear(); });
        QTest::newRow("another gender") << Slip([](auto& seen) { seen.maleChosen = true; });
        QTest::newRow("a page opened") << Slip([](auto& seen) { seen.pages = {u"http://x/"}; });
        QTest::newRow("an error box") << Slip([](auto& seen) { seen.boxes = {u"error"}; });
        QTest::newRow("seeded again") << Slip([](auto& seen) { seen.reseeds = 2; });
        QTest::newRow("the window gone") << Slip([](auto& seen) { seen.windowShown = false; });
    }

    void stepChecker()
    {
        QFETCH(std::function<void(sc::Observation&)>, slip);
        names::NameTables tables;
        names::FillNameTables(tables);
        const sc::Scenario& generate = sc::Scenarios.front();
        // Its last step as a driver sees it when all goes well: "Female"
        // chosen, the fourth press draws line 1 of the female list.
        sc::Observation seen;
        seen.drawsBefore = 3;
        seen.drawsAfter = 4;
        seen.nameAfter = tables.FemaleNames.at(0);
        seen.heard = {u"Generated name: " + seen.nameAfter};
        seen.femaleChosen = true;
        seen.reseeds = 1;
        const std::size_t last = generate.steps.size();
        const std::vector<std::string> wrong = sc::CheckStep(generate, last, seen);
        QVERIFY2(wrong.empty(), sc::Joined(wrong).c_str());
        slip(seen);
        QVERIFY(!sc::CheckStep(generate, last, seen).empty());
    }

    void loadChecker()
    {
        testing::ScriptedRandom random;
        random.reseed(3600.0f);
        QVERIFY(sc::CheckLoad(random, 3600.5).empty());
        QCOMPARE(sc::CheckLoad(random, 7200.0).size(), 1U); // another hour
        random.next();
        QCOMPARE(sc::CheckLoad(random, 3600.5).size(), 1U); // a value drawn
    }

    void winechecks()
    {
        testing::Checks check;
        check(true, "passes");
        QCOMPARE(check.finish(), EXIT_SUCCESS);
        check(false, "fails");
        QCOMPARE(check.finish(), EXIT_FAILURE);
        QCOMPARE(check.passed, 1);
    }
};

QTEST_GUILESS_MAIN(TestHarness)
#include "tst_harness.moc"
