#include "common/namelistfiles.h"
#include "names/nametable.h"

#include <QSet>
#include <QTest>

#include <climits>
#include <stdexcept>

using names::NameTable;
using names::NameTables;
using names::NameTableSize;

namespace {

QString entry(const NameTable& table, int index)
{
    return QString::fromStdU16String(table.at(index));
}

bool sameContents(const NameTables& a, const NameTables& b)
{
    for (int i = 0; i < NameTableSize; ++i) {
        if (a.MaleNames.at(i) != b.MaleNames.at(i) || a.FemaleNames.at(i) != b.FemaleNames.at(i)) {
            return false;
        }
    }
    return true;
}

} // namespace

class TestNameTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newTablesHaveOnlyEmptySlots()
    {
        const NameTables tables;
        for (int i = 0; i < NameTableSize; ++i) {
            QVERIFY(tables.MaleNames.at(i).empty());
            QVERIFY(tables.FemaleNames.at(i).empty());
        }
    }

    void fillPutsEveryLineInItsSlot()
    {
        const QStringList male = testing::maleListFile();
        const QStringList female = testing::femaleListFile();
        QCOMPARE(male.size(), NameTableSize);
        QCOMPARE(female.size(), NameTableSize);

        NameTables tables;
        names::FillNameTables(tables);
        for (int i = 0; i < NameTableSize; ++i) {
            QCOMPARE(entry(tables.MaleNames, i), male.at(i));
            QCOMPARE(entry(tables.FemaleNames, i), female.at(i));
        }
    }

    void firstAndLastSlots_data()
    {
        QTest::addColumn<bool>("male");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("line");
        QTest::newRow("male first") << true << 0 << 0;
        QTest::newRow("male last") << true << 1000 << 1000;
        QTest::newRow("female first") << false << 0 << 0;
        QTest::newRow("female last") << false << 1000 << 1000;
    }

    void firstAndLastSlots()
    {
        QFETCH(bool, male);
        QFETCH(int, index);
        QFETCH(int, line);
        NameTables tables;
        names::FillNameTables(tables);
        const QStringList lines = male ? testing::maleListFile() : testing::femaleListFile();
        QCOMPARE(entry(male ? tables.MaleNames : tables.FemaleNames, index), lines.at(line));
    }

    void indexOutsideTheTableIsRefused_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("one past the end") << 1001;
        QTest::newRow("minus one") << -1;
        QTest::newRow("far below") << INT_MIN;
        QTest::newRow("far above") << INT_MAX;
    }

    void indexOutsideTheTableIsRefused()
    {
        QFETCH(int, index);
        NameTables tables;
        names::FillNameTables(tables);
        const NameTables before = tables;

        QVERIFY_THROWS_EXCEPTION(std::out_of_range, tables.MaleNames.at(index));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, tables.FemaleNames.at(index));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, tables.MaleNames.assign(index, u"Ann Lee"));
        QVERIFY(sameContents(tables, before));
    }

    void assignmentStoresItsOwnCopy()
    {
        NameTable table;
        std::u16string text = u"Ada Lovelace";
        table.assign(7, text);
        text[0] = u'X';
        QCOMPARE(entry(table, 7), QStringLiteral("Ada Lovelace"));
        table.assign(7, u"Ann Lee");
        QCOMPARE(entry(table, 7), QStringLiteral("Ann Lee"));
    }

    void repeatedNamesTakeTheirOwnSlots()
    {
        // Every list holds at least one full name twice; each copy has a slot.
        for (const QStringList& lines : {testing::maleListFile(), testing::femaleListFile()}) {
            QSet<QString> seen;
            bool repeated = false;
            for (const QString& line : lines) {
                repeated = repeated || seen.contains(line);
                seen.insert(line);
            }
            QVERIFY(repeated);
            QCOMPARE(lines.size(), NameTableSize);
        }
    }

    void readingNeverChangesTheTables()
    {
        NameTables tables;
        names::FillNameTables(tables);
        const NameTables before = tables;
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < NameTableSize; ++i) {
                std::u16string copy = tables.MaleNames.at(i);
                copy.clear();
                (void)tables.FemaleNames.at(i);
            }
        }
        QVERIFY(sameContents(tables, before));
    }
};

QTEST_APPLESS_MAIN(TestNameTable)
#include "tst_nametable.moc"
