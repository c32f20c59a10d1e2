#include "common/namelistfiles.h"
#include "names/nametable.h"

#include <QTest>

#include <climits>
#include <stdexcept>

using names::NameTable;
using names::NameTables;
using names::NameTableSize;

class TestNameTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillPutsEveryLineInItsSlot()
    {
        NameTables tables;
        names::FillNameTables(tables);
        QVERIFY(testing::holdTheListFiles(tables));
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
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, tables.MaleNames.at(index));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, tables.FemaleNames.at(index));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, tables.MaleNames.assign(index, u"Ann Lee"));
        QVERIFY(testing::holdTheListFiles(tables)); // left as they were
    }
};

QTEST_APPLESS_MAIN(TestNameTable)
#include "tst_nametable.moc"
