#include "common/scriptedrandom.h"
#include "names/namepicker.h"

#include <QTest>

#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>
#include <stdexcept>
#include <vector>

using names::NameTableSize;

namespace {

// Pearson's chi-square of the index counts of `draws` picks against a fair
// 1 in 1001 chance, plus the smallest count seen.
struct Uniformity
{
    double chiSquare = 0.0;
    int fewestHits = 0;
};

Uniformity measureUniformity(names::RandomSource& source, int draws)
{
    std::vector<int> hits(NameTableSize, 0);
    for (int i = 0; i < draws; ++i) {
        ++hits[static_cast<std::size_t>(names::IndexForDraw(source.next()))];
    }
    const double expected = static_cast<double>(draws) / NameTableSize;
    Uniformity result{0.0, draws};
    for (const int count : hits) {
        result.chiSquare += (count - expected) * (count - expected) / expected;
        result.fewestHits = std::min(result.fewestHits, count);
    }
    return result;
}

// 1000 degrees of freedom: mean 1000, standard deviation sqrt(2000) ~ 44.7.
// A fair generator stays within five deviations of the mean.
bool looksFair(const Uniformity& u)
{
    return u.fewestHits > 0 && u.chiSquare > 776.0 && u.chiSquare < 1224.0;
}

// A generator with a subtle fault: it never reaches the top 1/1001 of [0, 1).
class ShortRangeRandom final : public names::RandomSource
{
public:
    void reseed(float seed) override { m_inner.reseed(seed); }
    double next() override { return m_inner.next() * 1000.0 / 1001.0; }

private:
    names::TwisterRandom m_inner;
};

std::vector<double> firstValues(names::RandomSource& source, int count)
{
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(source.next());
    }
    return values;
}

} // namespace

class TestNamePicker : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drawMapsToIndex_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("index");
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("largest value below one") << std::nextafter(1.0, 0.0) << 1000;
        QTest::newRow("1000.9 / 1001 rounds down") << 1000.9 / 1001.0 << 1000;
        QTest::newRow("0.6 / 1001 rounds down") << 0.6 / 1001.0 << 0;
        for (const int k : {1, 2, 500, 999, 1000}) {
            QTest::addRow("just below %d/1001", k) << (k - 1e-6) / 1001.0 << k - 1;
            QTest::addRow("middle of slot %d", k) << (k + 0.5) / 1001.0 << k;
        }
    }

    void drawMapsToIndex()
    {
        QFETCH(double, r);
        QFETCH(int, index);
        QCOMPARE(names::IndexForDraw(r), index);
    }

    void drawOutsideUnitIntervalIsRefused_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("shownAs"); // the same in every locale, and exact
        QTest::newRow("one") << 1.0 << QStringLiteral("draw 1 is");
        QTest::newRow("negative") << -1e-300 << QStringLiteral("draw -1e-300 is");
        QTest::newRow("not a number")
            << std::numeric_limits<double>::quiet_NaN() << QStringLiteral("draw nan is");
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity()
                                  << QStringLiteral("draw inf is");
        QTest::newRow("one and a half") << 1.5 << QStringLiteral("draw 1.5 is");
    }

    void drawOutsideUnitIntervalIsRefused()
    {
        QFETCH(double, r);
        QFETCH(QString, shownAs);
        try {
            names::IndexForDraw(r);
            QFAIL("the draw was not refused");
        } catch (const std::out_of_range& error) {
            QVERIFY2(QString::fromLatin1(error.what()).contains(shownAs), error.what());
        }
        const names::NameTables tables;
        testing::ScriptedRandom source({r});
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, names::PickName(tables.MaleNames, source));
    }

    void generateRequest_data()
    {
        QTest::addColumn<bool>("male");
        QTest::addColumn<bool>("female");
        QTest::addColumn<QStringList>("shown");
        // The scripted source below lands on the first index, then the last.
        QTest::newRow("neither chosen: nothing drawn or shown") << false << false << QStringList();
        QTest::newRow("male") << true << false << QStringList{QStringLiteral("m0")};
        QTest::newRow("female") << false << true << QStringList{QStringLiteral("f0")};
        QTest::newRow("both: male first, female last")
            << true << true << QStringList{QStringLiteral("m0"), QStringLiteral("f1000")};
    }

    void generateRequest()
    {
        QFETCH(bool, male);
        QFETCH(bool, female);
        QFETCH(QStringList, shown);

        names::NameTables tables;
        for (int i = 0; i < NameTableSize; ++i) {
            tables.MaleNames.assign(i, u"m" + QString::number(i).toStdU16String());
            tables.FemaleNames.assign(i, u"f" + QString::number(i).toStdU16String());
        }
        testing::ScriptedRandom source({0.0, std::nextafter(1.0, 0.0)});
        QStringList seen;
        names::GenerateName(male, female, tables, source, [&](const std::u16string& name) {
            seen.append(QString::fromStdU16String(name));
        });
        QCOMPARE(seen, shown);
        QCOMPARE(source.draws, static_cast<std::size_t>(shown.size()));
    }

    void generatorIsUniform()
    {
        names::TwisterRandom source;
        source.reseed(45296.75f); // 12:34:56.75
        const Uniformity u = measureUniformity(source, NameTableSize * 200);
        QVERIFY2(looksFair(u), qPrintable(QStringLiteral("chi-square %1, fewest hits %2")
                                              .arg(u.chiSquare)
                                              .arg(u.fewestHits)));
    }

    void uniformityCheckCatchesABiasedGenerator()
    {
        ShortRangeRandom source;
        source.reseed(45296.75f);
        QVERIFY(!looksFair(measureUniformity(source, NameTableSize * 200)));
    }

    void generatorStaysBelowOne()
    {
        names::TwisterRandom source;
        source.reseed(1.0f);
        for (int i = 0; i < 1'000'000; ++i) {
            const double r = source.next();
            QVERIFY(r >= 0.0 && r < 1.0);
        }
    }

    void seedsDecideTheSequence()
    {
        names::TwisterRandom morning;
        names::TwisterRandom sameMorning;
        names::TwisterRandom aMomentLater;
        morning.reseed(36000.25f);
        sameMorning.reseed(36000.25f);
        aMomentLater.reseed(36000.5f);
        const auto values = firstValues(morning, 20);
        QVERIFY(values == firstValues(sameMorning, 20));
        QVERIFY(values != firstValues(aMomentLater, 20));
    }

    void seedIsTheLocalTimeOfDay_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<float>("seed");
        // 2024-03-01 12:34:56.75 UTC, seen from three time zones without summer time.
        QTest::newRow("UTC") << QByteArray("UTC0") << 45296.75f;
        QTest::newRow("five and a half hours east") << QByteArray("<+0530>-5:30") << 65096.75f;
        QTest::newRow("thirteen hours west, the day before") << QByteArray("<-13>13") << 84896.75f;
    }

    void seedIsTheLocalTimeOfDay()
    {
        QFETCH(QByteArray, zone);
        QFETCH(float, seed);
        const QByteArray savedZone = qgetenv("TZ");
        qputenv("TZ", zone);
        tzset();
        using namespace std::chrono;
        const auto now = sys_days{2024y / March / 1} + 12h + 34min + 56s + 750ms;
        testing::ScriptedRandom source;
        names::SeedRandom(source, now);
        savedZone.isNull() ? qunsetenv("TZ") : qputenv("TZ", savedZone);
        tzset();
        QCOMPARE(source.reseeds, 1);
        QCOMPARE(source.lastSeed, seed);
    }
};

QTEST_APPLESS_MAIN(TestNamePicker)
#include "tst_namepicker.moc"
