// Recomputes the make-up of the two compiled-in name lists and compares it
// with the figures the lists are drawn up to.

#include "names/builtinlists.h"

#include <QTest>

#include <algorithm>
#include <array>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

using List = std::array<std::u16string_view, names::NameTableSize>;

struct Entry
{
    std::string full;
    std::string given;
    std::string surname;
};

std::vector<Entry> split(const List& list)
{
    std::vector<Entry> entries;
    for (const std::u16string_view name : list) {
        Entry entry;
        for (const char16_t c : name) {
            entry.full.push_back(c < 128 ? static_cast<char>(c) : '?');
        }
        const auto blank = entry.full.find(' ');
        entry.given = entry.full.substr(0, blank);
        entry.surname = blank == std::string::npos ? std::string() : entry.full.substr(blank + 1);
        entries.push_back(entry);
    }
    return entries;
}

template <typename Field>
std::map<std::string, int> countsOf(const std::vector<Entry>& entries, Field field)
{
    std::map<std::string, int> counts;
    for (const Entry& entry : entries) {
        ++counts[field(entry)];
    }
    return counts;
}

template <typename Field>
std::pair<qint64, qint64> lengthRange(const std::vector<Entry>& entries, Field field)
{
    qint64 shortest = LLONG_MAX;
    qint64 longest = 0;
    for (const Entry& entry : entries) {
        const auto length = static_cast<qint64>(field(entry).size());
        shortest = std::min(shortest, length);
        longest = std::max(longest, length);
    }
    return {shortest, longest};
}

int maxCount(const std::map<std::string, int>& counts)
{
    int most = 0;
    for (const auto& [key, count] : counts) {
        most = std::max(most, count);
    }
    return most;
}

template <typename Field> bool sortedBy(const std::vector<Entry>& entries, Field field)
{
    return std::is_sorted(entries.begin(), entries.end(),
                          [&](const Entry& a, const Entry& b) { return field(a) < field(b); });
}

const auto fullName = [](const Entry& e) { return e.full; };
const auto givenName = [](const Entry& e) { return e.given; };
const auto surname = [](const Entry& e) { return e.surname; };

struct Expected
{
    qint64 distinctGiven, mostFrequentGiven, distinctSurnames, shortestEntry, longestEntry,
        meanTimesTen, shortestGiven, longestGiven, mcEntries, macEntries;
};

void addFigures(const char* listName, const List& list, const Expected& expected)
{
    const std::vector<Entry> entries = split(list);
    const auto givenCounts = countsOf(entries, givenName);
    const auto surnameCounts = countsOf(entries, surname);
    const auto fullCounts = countsOf(entries, fullName);

    static const std::regex wellFormed("[A-Z][a-z]+ [A-Z][a-z]+");
    qint64 malformed = 0;
    qint64 totalLength = 0;
    qint64 mc = 0;
    qint64 mac = 0;
    for (const Entry& entry : entries) {
        const bool lengthOk = entry.full.size() >= 7 && entry.full.size() <= 22;
        malformed += (std::regex_match(entry.full, wellFormed) && lengthOk) ? 0 : 1;
        totalLength += static_cast<qint64>(entry.full.size());
        mc += entry.surname.starts_with("Mc") ? 1 : 0;
        mac += entry.surname.starts_with("Mac") ? 1 : 0;
    }
    qint64 overusedSurnames = 0;
    for (const auto& [name, count] : surnameCounts) {
        overusedSurnames += count > 3 ? 1 : 0;
    }
    // The mean, rounded to one decimal, as a whole number of tenths.
    const qint64 meanTimesTen = (totalLength * 10 * 2 + 1001) / (1001 * 2);
    const auto [shortestEntry, longestEntry] = lengthRange(entries, fullName);
    const auto [shortestGiven, longestGiven] = lengthRange(entries, givenName);
    const auto [shortestSurname, longestSurname] = lengthRange(entries, surname);

    const auto row = [&](const char* figure, qint64 actual, qint64 wanted) {
        QTest::addRow("%s: %s", listName, figure) << actual << wanted;
    };
    row("entries", static_cast<qint64>(entries.size()), 1001);
    row("entries breaking the form \"Given Surname\" or 7-22 characters", malformed, 0);
    row("distinct given names", static_cast<qint64>(givenCounts.size()), expected.distinctGiven);
    row("entries of the most frequent given name", maxCount(givenCounts),
        expected.mostFrequentGiven);
    row("distinct surnames", static_cast<qint64>(surnameCounts.size()), expected.distinctSurnames);
    row("surnames in more than 3 entries", overusedSurnames, 0);
    row("shortest entry", shortestEntry, expected.shortestEntry);
    row("longest entry", longestEntry, expected.longestEntry);
    row("mean entry length x 10", meanTimesTen, expected.meanTimesTen);
    row("shortest given name", shortestGiven, expected.shortestGiven);
    row("longest given name", longestGiven, expected.longestGiven);
    row("shortest surname", shortestSurname, 2);
    row("longest surname", longestSurname, 12);
    row("entries with a Mc surname", mc, expected.mcEntries);
    row("entries with a Mac surname", mac, expected.macEntries);
    row("full names listed more than once", maxCount(fullCounts) > 1 ? 1 : 0, 1);
    row("sorted by given name", sortedBy(entries, givenName) ? 1 : 0, 0);
    row("sorted by surname", sortedBy(entries, surname) ? 1 : 0, 0);
}

// How many keys of the male counts the female counts share.
template <typename Field> qint64 sharedCount(Field field)
{
    const auto male = countsOf(split(names::BuiltInMaleList), field);
    const auto female = countsOf(split(names::BuiltInFemaleList), field);
    return std::count_if(male.begin(), male.end(),
                         [&](const auto& entry) { return female.contains(entry.first); });
}

} // namespace

class TestNameLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void figures_data()
    {
        QTest::addColumn<qint64>("actual");
        QTest::addColumn<qint64>("expected");

        addFigures("male", names::BuiltInMaleList, {135, 16, 937, 7, 22, 130, 3, 11, 31, 2});
        addFigures("female", names::BuiltInFemaleList, {337, 10, 941, 8, 21, 133, 2, 10, 24, 6});

        QTest::newRow("surnames in both lists") << sharedCount(surname) << qint64(94);
        QTest::newRow("given names in both lists") << sharedCount(givenName) << qint64(0);
        QTest::newRow("full names in both lists") << sharedCount(fullName) << qint64(0);
    }

    void figures()
    {
        QFETCH(qint64, actual);
        QFETCH(qint64, expected);
        QCOMPARE(actual, expected);
    }
};

QTEST_APPLESS_MAIN(TestNameLists)
#include "tst_namelists.moc"
