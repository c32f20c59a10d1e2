#include "common/scriptedrandom.h"
#include "names/namepicker.h"

#include <QTest>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <limits>
#include <stdexcept>
#include <vector>

using names::NameTableSize;
using namespace Qt::StringLiterals;

namespace {

// What is unfair about 200 draws per index from the program's generator,
// each scaled by reach, against a fair 1 in 1001 chance; empty when nothing.
// Pearson's chi-square has 1000 degrees of freedom: mean 1000, standard
// deviation sqrt(2000) ~ 44.7. A fair generator hits every index and stays
// within five deviations of the mean.
QString unfairness(double reach)
{
    names::TwisterRandom source;
    source.reseed(45296.75f); // 12:34:56.75
    std::vector<int> hits(NameTableSize, 0);
    for (int i = 0; i < NameTableSize * 200; ++i) {
        ++hits[static_cast<std::size_t>(names::IndexForDraw(source.next() * reach))];
    }
    double chiSquare = 0.0;
    for (const int count : hits) {
        chiSquare += (count - 200.0) * (count - 200.0) / 200.0;
    }
    const int fewestHits = *std::min_element(hits.begin(), hits.end());
    return fewestHits > 0 && chiSquare > 776.0 && chiSquare < 1224.0
               ? QString()
               : u"chi-square %1, fewest hits %2"_s.arg(chiSquare).arg(fewestHits);
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
        QTest::newRow("one") << 1.0 << u"draw 1 is"_s;
        QTest::newRow("negative") << -1e-300 << u"draw -1e-300 is"_s;
        QTest::newRow("not a number")
            << std::numeric_limits<double>::quiet_NaN() << u"draw nan is"_s;
        QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << u"draw inf is"_s;
        QTest::newRow("one and a half") << 1.5 << u"draw 1.5 is"_s;
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
        QTest::newRow("male") << true << false << QStringList{u"m0"_s};
        QTest::newRow("female") << false << true << QStringList{u"f0"_s};
        QTest::newRow("both: male first, female last")
            << true << true << QStringList{u"m0"_s, u"f1000"_s};
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

    // The check is shown to catch a subtle fault: a generator that never
    // reaches the top 1/1001 of [0, 1).
    void generatorIsUniform_data()
    {
        QTest::addColumn<double>("reach");
        QTest::addColumn<bool>("fair");
        QTest::newRow("the program's") << 1.0 << true;
        QTest::newRow("one short of the top") << 1000.0 / 1001.0 << false;
    }

    void generatorIsUniform()
    {
        QFETCH(double, reach);
        QFETCH(bool, fair);
        const QString problem = unfairness(reach);
        QVERIFY2(problem.isEmpty() == fair, qPrintable(problem));
    }

    void seedsDecideTheSequence()
    {
        const auto firstValues = [](float seed) {
            names::TwisterRandom source;
            source.reseed(seed);
            std::vector<double> values(20);
            std::generate(values.begin(), values.end(), [&source] { return source.next(); });
            return values;
        };
        QVERIFY(firstValues(36000.25f) == firstValues(36000.25f));
        QVERIFY(firstValues(36000.25f) != firstValues(36000.5f)); // a moment later
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
