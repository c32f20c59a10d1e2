#pragma once

// The one judge of the scenarios: what a player saw before and after a
// step, told in plain terms, against what the step says must follow. Each
// player (tests/qt/scenarios for Qt, tests/wine/checks/scenarios_check.cpp for
// Win32, tests/browser/web for the page) plays its steps with PlaySteps.

#include "common/scriptedrandom.h"
#include "names/nametable.h"
#include "scenarios/scenarios.h"

#include <string>
#include <utility>
#include <vector>

namespace scenarios {

struct Observation
{
    std::u16string nameBefore, nameAfter;        // the name box's text before and after the step
    std::size_t drawsBefore = 0, drawsAfter = 0; // values drawn from the random source so far
    bool maleChosen = false, femaleChosen = false;
    std::string focus;                 // the control with the focus after the step
    std::vector<std::u16string> pages; // each address handed to the shell in the step
    std::vector<std::u16string> boxes; // the text of each error box that opened
    // Each text told to screen readers. A player that sees only the latest one
    // (Qt raises no events offscreen) sets latestOnly and gives that instead.
    std::vector<std::u16string> heard;
    bool latestOnly = false;
    std::u16string latestBefore, latestAfter;
    std::u16string copied; // the clipboard, after a Copy
    int reseeds = 0;       // how often the random source was seeded so far
    bool windowShown = true;
};

inline std::string Narrow(std::u16string_view text)
{
    return {text.begin(), text.end()}; // names and addresses are ASCII
}

// The lines of what is wrong, as one message.
inline std::string Joined(const std::vector<std::string>& wrong)
{
    std::string message;
    for (const std::string& line : wrong) {
        message += (message.empty() ? "" : "\n") + line;
    }
    return message;
}

// What is wrong after step `number` (counted from 1), one line each; empty
// when the step went as it should. A name drawn must be the entry of the
// built-in list at the line the scenario's value falls on.
inline std::vector<std::string> CheckStep(const Scenario& scenario, std::size_t number,
                                          const Observation& seen)
{
    static const names::NameTables lists = [] {
        names::NameTables filled;
        names::FillNameTables(filled);
        return filled;
    }();
    const Step& step = scenario.steps[number - 1];
    std::vector<std::string> wrong;
    const auto expect = [&](bool condition, const std::string& what) {
        if (!condition) {
            wrong.push_back(std::string(scenario.name) + ", step " + std::to_string(number) + ": " +
                            what);
        }
    };

    // The name box, the draws behind it and what was announced.
    expect(seen.drawsAfter == seen.drawsBefore + DrawsOf(step),
           "drew " + std::to_string(seen.drawsAfter - seen.drawsBefore) + " values, not " +
               std::to_string(DrawsOf(step)));
    // The name each draw shows, for screen readers too.
    const names::NameTable& table = step.name == Name::Male ? lists.MaleNames : lists.FemaleNames;
    std::vector<std::u16string> heard;
    for (std::size_t draw = seen.drawsBefore; DrawsName(step) && draw < seen.drawsAfter; ++draw) {
        const double value = scenario.draws[draw % scenario.draws.size()];
        heard.push_back(std::u16string(AnnouncedBeforeName) + table.at(LineOf(value)));
    }
    const std::u16string name = !heard.empty() ? heard.back().substr(AnnouncedBeforeName.size())
                                : step.name == Name::Unchanged ? seen.nameBefore
                                                               : u"";
    expect(seen.nameAfter == name,
           "the name box shows \"" + Narrow(seen.nameAfter) + "\", not \"" + Narrow(name) + "\"");
    const std::u16string latest = heard.empty() ? seen.latestBefore : heard.back();
    expect(!seen.latestOnly || seen.latestAfter == latest,
           "screen readers are shown \"" + Narrow(seen.latestAfter) + "\", not \"" +
               Narrow(latest) + "\"");
    expect(seen.latestOnly || seen.heard == heard,
           "screen readers heard " + std::to_string(seen.heard.size()) + " texts, not " +
               std::to_string(heard.size()));
    expect(step.action != Do::Copy || seen.copied == seen.nameAfter, "the name shown is copied");

    expect(step.chosen == Gender::Unchecked ||
               (seen.maleChosen == (step.chosen == Gender::Male) &&
                seen.femaleChosen == (step.chosen == Gender::Female)),
           "another gender is chosen");
    expect(step.focus.empty() || seen.focus == step.focus, "the focus is on " + seen.focus);

    const std::vector<std::u16string> pages(PagesOf(step), std::u16string(AddressOf(step.opened)));
    expect(seen.pages == pages, "the shell was asked for " + std::to_string(seen.pages.size()) +
                                    " pages, not " + std::to_string(pages.size()) + " of " +
                                    Narrow(AddressOf(step.opened)));

    expect(step.errorBox.empty()
               ? seen.boxes.empty()
               : seen.boxes.size() == 1 &&
                     seen.boxes.front().find(step.errorBox) != std::u16string::npos,
           std::to_string(seen.boxes.size()) + " error boxes, not one saying \"" +
               Narrow(step.errorBox) + "\"");
    expect(seen.reseeds == 1, "the random source was seeded again");
    expect(seen.windowShown, "the window has gone");
    return wrong;
}

// Plays scenario's steps on a window just loaded, its name box empty and
// nothing drawn or announced, up to the first that goes wrong: act(step, copied)
// does each but a Look; look(seen) reads the window after it, with all heard,
// opened and boxed since. What went wrong, as one message; "" when nothing did.
template <typename Act, typename Look>
std::string PlaySteps(const Scenario& scenario, Act act, Look look)
{
    Observation seen;
    std::vector<std::string> wrong;
    for (std::size_t number = 1; wrong.empty() && number <= scenario.steps.size(); ++number) {
        const Observation before = std::exchange(seen, {});
        seen.nameBefore = before.nameAfter;
        seen.drawsBefore = before.drawsAfter;
        seen.latestBefore = before.latestAfter;
        if (const Step& step = scenario.steps[number - 1]; step.action != Do::Look) {
            act(step, seen.copied);
        }
        look(seen);
        wrong = CheckStep(scenario, number, seen);
    }
    return Joined(wrong);
}

// Load seeds once from the local time of day (now, in seconds since
// midnight), fills the tables and draws nothing; empty when it did.
inline std::vector<std::string> CheckLoad(const testing::ScriptedRandom& random, double now)
{
    std::vector<std::string> wrong;
    if (random.reseeds != 1 || random.draws != 0) {
        wrong.emplace_back("Load seeds once and draws nothing");
    }
    if (SecondsApart(random.lastSeed, now) >= 2.0) {
        wrong.push_back("Load seeds from " + std::to_string(random.lastSeed) +
                        ", not the local time of day " + std::to_string(now));
    }
    return wrong;
}

} // namespace scenarios
