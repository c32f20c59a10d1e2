// How long a pick and the load-time fill take, each beside a baseline run
// in the same process: a bare draw from the generator, and copying the same
// 2002 texts into plain strings.

#include "benchtiming.h"
#include "names/builtinlists.h"
#include "names/namepicker.h"

#include <memory>
#include <string>

int main()
{
    constexpr int picksPerRound = 100'000;
    constexpr int rounds = 31;

    names::NameTables tables;
    names::FillNameTables(tables);
    names::TwisterRandom random;
    random.reseed(43200.0f);

    // Alternate the measured work and its baseline so both see the same machine.
    std::vector<double> picks;
    std::vector<double> draws;
    std::vector<double> fills;
    std::vector<double> copies;
    for (int i = 0; i < 5; ++i) {
        picks.push_back(
            bench::medianNanoseconds(rounds,
                                     [&] {
                                         for (int n = 0; n < picksPerRound; ++n) {
                                             bench::keep(names::PickName(tables.MaleNames, random));
                                         }
                                     }) /
            picksPerRound);
        draws.push_back(bench::medianNanoseconds(rounds,
                                                 [&] {
                                                     for (int n = 0; n < picksPerRound; ++n) {
                                                         bench::keep(random.next());
                                                     }
                                                 }) /
                        picksPerRound);
        // The fill into fresh tables, as the window's Load runs it.
        fills.push_back(bench::medianNanoseconds(
            rounds, [] { return std::make_unique<names::NameTables>(); },
            [](auto& fresh) { names::FillNameTables(*fresh); }));
        // The baseline: the same 2002 texts copied into strings that already exist.
        copies.push_back(bench::medianNanoseconds(
            rounds, [] { return std::vector<std::u16string>(2 * names::NameTableSize); },
            [](auto& plain) {
                std::size_t slot = 0;
                for (std::string_view list : {names::BuiltInMaleList, names::BuiltInFemaleList}) {
                    for (; !list.empty(); list.remove_prefix(list.find('\n') + 1)) {
                        const std::string_view name = list.substr(0, list.find('\n'));
                        plain[slot++].assign(name.begin(), name.end());
                    }
                }
                bench::keep(plain);
            }));
    }
    const double pick = bench::median(picks);
    const double draw = bench::median(draws);
    const double fill = bench::median(fills);
    const double copy = bench::median(copies);
    std::printf("PickName:        %8.1f ns per pick   (a bare draw: %.1f ns, ratio %.2f; target < "
                "100 ns)\n",
                pick, draw, pick / draw);
    std::printf("FillNameTables:  %8.1f us per fill   (copying 2002 strings: %.1f us, ratio %.2f; "
                "target < 100 us)\n",
                fill / 1000.0, copy / 1000.0, fill / copy);
    return 0;
}
