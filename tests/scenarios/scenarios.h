#pragma once

// What the window does, as its users see it, written once as data free of
// any toolkit: sequences of user actions and what must follow each. A thin
// driver per window engine plays every scenario (tests/qt/scenarios for Qt,
// tests/wine/checks/scenarios_check.cpp for Win32 under wine, tests/browser/web in a
// browser). Where the windows differ on purpose, the table at the end says
// so, and nowhere else.

#include "links/webaddresses.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>

namespace scenarios {

enum class Do : std::uint8_t {
    Look,              // nothing: checks the window as it stands
    Click,             // the mouse, on control
    DoubleClick,       // two quick clicks on control, the second one a double click
    Press,             // key, on the control that has the focus
    Focus,             // the focus put straight on control
    LeaveAndReturn,    // another window activated, then this one again
    Toggle,            // a screen reader's "toggle" action on control
    Type,              // a letter, Backspace, Delete, cut and paste in the focused control
    Copy,              // select all and copy in the focused control: the name shown is copied
    FocusReportsClick, // the system reports a click from an unchosen option that got the focus
};

enum class Key { NoKey, Tab, ShiftTab, Left, Right, Up, Down, Space, Return, KeypadEnter };

// The name box after the step.
enum class Name : std::uint8_t {
    Unchanged, // the same text as before, and nothing drawn
    Empty,     // emptied, and nothing drawn
    Male,      // a new name, drawn from male.txt, for each of `times` presses
    Female,    // the same from female.txt
};

enum class Gender : std::uint8_t { Unchecked, Neither, Male, Female };

enum class Link : std::uint8_t { NoPage, Dornwick, Workshop };

constexpr std::u16string_view AddressOf(Link link)
{
    return link == Link::Dornwick ? links::DornwickHomePage : links::VelmoraWorkshopHomePage;
}

struct Step
{
    Do action;
    std::string_view control{}; // the control acted on, for the actions that take one
    Key key = Key::NoKey;
    Name name = Name::Unchanged;
    Gender chosen = Gender::Unchecked; // the option chosen after the step
    std::string_view focus{};          // the control with the focus after the step; "" unchecked
    Link opened = Link::NoPage;        // the page handed to the shell, `times` times
    int times = 1;                     // a double click presses twice
    // A box of its own must show this; "" no box at all. A generate that
    // fails has drawn the value it fails on, once for each press.
    std::u16string_view errorBox{};
};

// The random source plays back these values in a loop; the name a value
// draws is line floor(value × 1001) + 1 of the list file.
struct Scenario
{
    std::string_view name;
    std::span<const double> draws;
    std::span<const Step> steps;
    bool shellRefuses = false; // the shell refuses every page it is asked to open
};

// A value that draws line k + 1 of a list, and the line index a value draws.
constexpr double Slot(int k)
{
    return (k + 0.5) / 1001.0;
}
inline int LineOf(double value)
{
    return static_cast<int>(std::floor(value * 1001));
}

// How many values a step draws, and how many pages it opens.
constexpr bool DrawsName(const Step& step)
{
    return step.name == Name::Male || step.name == Name::Female;
}
constexpr std::size_t DrawsOf(const Step& step)
{
    return DrawsName(step) || !step.errorBox.empty() ? static_cast<std::size_t>(step.times) : 0;
}
constexpr std::size_t PagesOf(const Step& step)
{
    return step.opened == Link::NoPage ? 0 : static_cast<std::size_t>(step.times);
}

// Load seeds from the local time of day: a driver compares the seed with
// its engine's own clock, the short way round midnight.
inline double SecondsApart(double first, double second)
{
    const double apart = std::fmod(std::abs(first - second), 86400.0);
    return std::min(apart, 86400.0 - apart);
}

// Every new name is announced to screen readers, wherever the focus is, as
// a notification with this text before the name. Nothing else is announced.
inline constexpr std::u16string_view AnnouncedBeforeName = u"Generated name: ";

// How every page reaches the shell: the operation, the directory and the
// show command (SW_SHOWNORMAL), with no parameters and the desktop as owner.
struct ShellRequest
{
    std::string_view operation;
    std::string_view directory;
    int showCommand;
};
inline constexpr ShellRequest OpenPage{"Open", "C:\\", 1};

inline constexpr std::u16string_view OutOfRange = u"out of range";

using enum Do;
using enum Key;
using enum Name;
using enum Link;
using G = Gender;

// clang-format off
inline constexpr double GenerateDraws[] = {Slot(3), Slot(1000), Slot(1000), Slot(0)};
inline constexpr Step GenerateSteps[] = {
    {.action = Look, .name = Empty, .chosen = G::Neither, .focus = "OptionMale"},
    {.action = Click, .control = "Command1", .chosen = G::Neither},
    {.action = Click, .control = "OptionMale", .name = Empty, .chosen = G::Male},
    {.action = Click, .control = "Command1", .name = Male},
    {.action = Click, .control = "OptionFemale", .name = Empty, .chosen = G::Female},
    {.action = Click, .control = "Command1", .name = Female},
    {.action = Click, .control = "Command1", .name = Female}, // the same name twice
    {.action = Click, .control = "Command1", .name = Female, .chosen = G::Female},
};

inline constexpr double OneDraw[] = {Slot(5)};
inline constexpr Step GenderSteps[] = {
    {.action = Click, .control = "OptionMale"},
    {.action = Click, .control = "Command1", .name = Male},
    {.action = Click, .control = "OptionFemale", .name = Empty, .chosen = G::Female},
    {.action = Click, .control = "Command1", .name = Female},
    {.action = Click, .control = "OptionMale", .name = Empty, .chosen = G::Male},
    {.action = Click, .control = "Command1", .name = Male},
    {.action = Click, .control = "OptionMale", .name = Empty, .chosen = G::Male},
};

inline constexpr Step LinkSteps[] = {
    {.action = Click, .control = "OptionFemale"},
    {.action = Click, .control = "Command1", .name = Female},
    {.action = Click, .control = "Command2", .chosen = G::Female, .opened = Dornwick},
    {.action = Click, .control = "Command2", .chosen = G::Female, .opened = Dornwick},
    {.action = Click, .control = "Command4", .chosen = G::Female, .opened = Workshop},
};

// With an option chosen, Tab enters the gender group at that option alone.
inline constexpr Step TabSteps[] = {
    {.action = Click, .control = "OptionMale"},
    {.action = Press, .key = Tab, .focus = "TextName"},
    {.action = Press, .key = Tab, .focus = "Command1"},
    {.action = Press, .key = Tab, .focus = "Command4"},
    {.action = Press, .key = Tab, .focus = "Command2"},
    {.action = Press, .key = Tab, .focus = "Picture1"},
    {.action = Press, .key = ShiftTab, .focus = "Command2"},
    {.action = Press, .key = ShiftTab, .focus = "Command4"},
    {.action = Press, .key = ShiftTab, .focus = "Command1"},
    {.action = Press, .key = ShiftTab, .focus = "TextName"},
    {.action = Press, .key = ShiftTab, .chosen = G::Male, .focus = "OptionMale"},
    {.action = Click, .control = "OptionFemale"},
    {.action = Press, .key = Tab, .focus = "TextName"},
    {.action = Press, .key = ShiftTab, .chosen = G::Female, .focus = "OptionFemale"},
};

inline constexpr Step TabRoundSteps[] = {
    {.action = Click, .control = "OptionFemale"},
    {.action = Focus, .control = "Picture1"},
    {.action = Press, .key = Tab, .focus = "OptionFemale"},
    {.action = Press, .key = ShiftTab, .focus = "Picture1"},
};

inline constexpr Step UnchosenTabSteps[] = {
    {.action = Press, .key = Tab, .focus = "OptionFemale"},
    {.action = Press, .key = Tab, .focus = "TextName"},
    {.action = Press, .key = ShiftTab, .focus = "OptionFemale"},
    {.action = Press, .key = ShiftTab, .chosen = G::Neither, .focus = "OptionMale"},
};

inline constexpr Step QtUnchosenTabSteps[] = {
    {.action = Press, .key = Tab, .focus = "TextName"},
    {.action = Press, .key = ShiftTab, .chosen = G::Neither, .focus = "OptionMale"},
};

inline constexpr Step WebKitUnchosenTabSteps[] = {
    {.action = Press, .key = Tab, .focus = "TextName"},
    {.action = Press, .key = ShiftTab, .chosen = G::Neither, .focus = "OptionFemale"},
};

inline constexpr double TwoDraws[] = {Slot(7), Slot(8)};
// Next chooses Female from Male, Back Male from Female.
template <Key Next, Key Back>
inline constexpr Step ArrowSteps[] = {
    {.action = Click, .control = "OptionMale"},
    {.action = Click, .control = "Command1", .name = Male},
    {.action = Focus, .control = "OptionMale"},
    {.action = Press, .key = Next, .name = Empty, .chosen = G::Female, .focus = "OptionFemale"},
    {.action = Click, .control = "Command1", .name = Female},
    {.action = Focus, .control = "OptionFemale"},
    {.action = Press, .key = Back, .name = Empty, .chosen = G::Male, .focus = "OptionMale"},
};

inline constexpr double KeyDraws[] = {Slot(250), Slot(500), Slot(0)};
inline constexpr Step KeySteps[] = {
    {.action = Focus, .control = "OptionMale"},
    {.action = Press, .key = Space, .name = Empty, .chosen = G::Male},
    {.action = Focus, .control = "Command1"},
    {.action = Press, .key = Space, .name = Male},
    {.action = Press, .key = Return, .name = Male},
    {.action = Press, .key = KeypadEnter, .name = Male, .focus = "Command1"},
    {.action = Focus, .control = "Command2"},
    {.action = Press, .key = Return, .opened = Dornwick},
    {.action = Press, .key = KeypadEnter, .opened = Dornwick},
    {.action = Press, .key = Space, .opened = Dornwick},
    {.action = Focus, .control = "Command4"},
    {.action = Press, .key = Return, .opened = Workshop},
    {.action = Press, .key = KeypadEnter, .opened = Workshop},
    {.action = Press, .key = Space, .opened = Workshop},
    {.action = Focus, .control = "TextName"},
    {.action = Press, .key = Return},
    {.action = Press, .key = KeypadEnter},
    {.action = Focus, .control = "OptionFemale"},
    {.action = Press, .key = Return, .chosen = G::Male},
    {.action = Focus, .control = "Picture1"},
    {.action = Press, .key = Return, .chosen = G::Male, .focus = "Picture1"},
    {.action = Focus, .control = "OptionFemale"},
    {.action = Press, .key = Space, .name = Empty, .chosen = G::Female},
};

inline constexpr double DoubleClickDraws[] = {Slot(20), Slot(21), Slot(22)};
inline constexpr Step DoubleClickSteps[] = {
    {.action = Click, .control = "OptionFemale"},
    {.action = DoubleClick, .control = "Command1", .name = Female, .times = 2},
    {.action = DoubleClick, .control = "OptionFemale", .name = Empty, .chosen = G::Female},
    {.action = Click, .control = "Command1", .name = Female},
    {.action = DoubleClick, .control = "OptionMale", .name = Empty, .chosen = G::Male},
    {.action = DoubleClick, .control = "Command4", .opened = Workshop, .times = 2},
};

inline constexpr Step LeaveSteps[] = {
    {.action = Focus, .control = "Command1"},
    {.action = LeaveAndReturn, .focus = "Command1"},
    {.action = Focus, .control = "TextName"},
    {.action = LeaveAndReturn, .focus = "TextName"},
    {.action = Focus, .control = "Picture1"},
    {.action = LeaveAndReturn, .focus = "Picture1"},
};

inline constexpr Step NameBoxSteps[] = {
    {.action = Click, .control = "OptionMale"},
    {.action = Click, .control = "Command1", .name = Male},
    {.action = Focus, .control = "TextName"},
    {.action = Type},
    {.action = Copy, .focus = "TextName"},
};

inline constexpr double FailingDraws[] = {Slot(500), 1.0, -0.25,
                                          std::numeric_limits<double>::quiet_NaN(), 0.0};
inline constexpr Step FailingSteps[] = {
    {.action = Click, .control = "OptionMale"},
    {.action = Click, .control = "Command1", .name = Male},
    {.action = Click, .control = "Command1", .errorBox = OutOfRange},
    {.action = Click, .control = "Command1", .errorBox = OutOfRange}, // a box again
    {.action = Click, .control = "Command1", .errorBox = OutOfRange},
    {.action = Click, .control = "Command1", .name = Male, .chosen = G::Male},
};

inline constexpr Step ToggleSteps[] = {
    {.action = Click, .control = "OptionFemale"},
    {.action = Click, .control = "Command1", .name = Female},
    {.action = Toggle, .control = "OptionMale", .name = Empty, .chosen = G::Male},
};

inline constexpr Step FocusClickSteps[] = {
    {.action = Click, .control = "OptionMale"},
    {.action = Click, .control = "Command1", .name = Male},
    {.action = FocusReportsClick, .control = "OptionFemale", .chosen = G::Male},
};

inline constexpr std::array Scenarios{
    Scenario{"generate needs a gender and draws from it", GenerateDraws, GenerateSteps},
    Scenario{"choosing either gender, or the same again, empties the name", OneDraw, GenderSteps},
    Scenario{"link buttons open their pages and change nothing else", OneDraw, LinkSteps},
    Scenario{"a page the shell refuses changes nothing either", OneDraw, LinkSteps, true},
    Scenario{"Tab and Shift+Tab go through, entering the gender group at the chosen option",
             OneDraw, TabSteps},
    Scenario{"from the last control Tab goes round to the first, and back", OneDraw,
             TabRoundSteps},
    Scenario{"with no option chosen, Tab stops at both options", OneDraw, UnchosenTabSteps},
    Scenario{"with no option chosen, Tab stops at the gender group once", OneDraw,
             QtUnchosenTabSteps},
    Scenario{"with no option chosen, Shift+Tab enters the gender group at its last option",
             OneDraw, WebKitUnchosenTabSteps},
    Scenario{"Left and Right choose in the gender group", TwoDraws, ArrowSteps<Right, Left>},
    Scenario{"Up and Down choose in the gender group", TwoDraws, ArrowSteps<Down, Up>},
    Scenario{"Space and Enter press the focused push button only", KeyDraws, KeySteps},
    Scenario{"a double click is two clicks", DoubleClickDraws, DoubleClickSteps},
    Scenario{"the focus stays when the window is left and reactivated", OneDraw, LeaveSteps},
    Scenario{"the name box takes no typing yet gives the name to copy", OneDraw, NameBoxSteps},
    Scenario{"each failing generate gets a box of its own", FailingDraws, FailingSteps},
    Scenario{"a screen reader's toggle chooses and empties", OneDraw, ToggleSteps},
    Scenario{"a click report from an option that got the focus chooses nothing", OneDraw,
             FocusClickSteps},
};
// clang-format on

// Where the windows differ on purpose. Every scenario runs on every window
// except as said here: one listed runs only on the windows it is listed for.
// Web is the page in Chromium and Firefox, WebKit the page in WebKitGTK.
enum class Engine : std::uint8_t { Qt, Win32, Web, WebKit };

struct OnlyOn
{
    std::string_view scenario;
    Engine engine;
    std::string_view why;
};

inline constexpr std::array Differences{
    OnlyOn{"from the last control Tab goes round to the first, and back", Engine::Qt,
           "a window keeps the focus within itself"},
    OnlyOn{"from the last control Tab goes round to the first, and back", Engine::Win32,
           "the same; from a page Tab goes on to the browser's own controls"},
    OnlyOn{"with no option chosen, Tab stops at both options", Engine::Win32,
           "as in every Windows dialog"},
    OnlyOn{"with no option chosen, Tab stops at the gender group once", Engine::Qt,
           "Qt treats the two options as one stop of the tab chain"},
    OnlyOn{"with no option chosen, Tab stops at the gender group once", Engine::Web,
           "so do browsers, for a radio group"},
    OnlyOn{"Up and Down choose in the gender group", Engine::Win32,
           "Qt moves by place on the screen, and Female is beside Male, not below it"},
    OnlyOn{"Up and Down choose in the gender group", Engine::Web,
           "browsers move through a radio group with all four arrow keys"},
    OnlyOn{"Up and Down choose in the gender group", Engine::WebKit, "the same"},
    OnlyOn{"with no option chosen, Shift+Tab enters the gender group at its last option",
           Engine::WebKit, "WebKit enters a radio group with none chosen from the side it comes"},
    OnlyOn{"a screen reader's toggle chooses and empties", Engine::Qt,
           "Win32 option buttons offer no toggle action"},
    OnlyOn{"a click report from an option that got the focus chooses nothing", Engine::Win32,
           "Windows reports a click when an unchosen option merely gets the focus; Qt never does"},
};

// Each entry names a scenario of the list above.
constexpr bool DifferencesNameScenarios()
{
    for (const OnlyOn& only : Differences) {
        bool found = false;
        for (const Scenario& scenario : Scenarios) {
            found = found || scenario.name == only.scenario;
        }
        if (!found) {
            return false;
        }
    }
    return true;
}
static_assert(DifferencesNameScenarios());

// Qt's launcher hands over the address alone; only the Win32 one shows the
// operation, directory and show command of OpenPage.

constexpr bool RunsOn(const Scenario& scenario, Engine engine)
{
    bool listed = false;
    for (const OnlyOn& only : Differences) {
        if (only.scenario == scenario.name) {
            if (only.engine == engine) {
                return true;
            }
            listed = true;
        }
    }
    return !listed;
}

} // namespace scenarios
