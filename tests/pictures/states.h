#pragma once

// The states in which pictures of every window are taken and compared with
// the references: one list, played by the Qt driver (tests/qt/pictures), the
// Win32 one (tests/wine/checks/form1_pictures.cpp) and the page's
// (tests/browser/web). A driver may go through
// them on one window, in this order: the name is shown from the first
// state that shows it on.

#include <string>
#include <string_view>

namespace pictures {

struct State
{
    std::string_view name;         // of the reference picture
    std::string_view focus;        // the control with the focus, as the Tab key brings it
    bool nameShown = false;        // "Male" chosen and "Generate Name" pressed
    bool pressed = false;          // the focused push button held down
    bool darkTheme = false;        // the desktop's colours dark, its button captions light
    bool everyEnvironment = false; // taken at 144 dpi and in the wider stand-in font too
};

// clang-format off
inline constexpr State States[] = {
    {.name = "opened", .focus = "OptionMale"},
    {.name = "workshop-focused", .focus = "Command4"},
    {.name = "dornwick-pressed", .focus = "Command2", .pressed = true},
    {.name = "name-shown", .focus = "Command1", .nameShown = true, .everyEnvironment = true},
    {.name = "name-box-focused", .focus = "TextName", .nameShown = true},
    {.name = "banner-focused", .focus = "Picture1", .nameShown = true},
    {.name = "dark-theme", .focus = "Command1", .nameShown = true, .darkTheme = true},
};
// clang-format on

// The picture of state in an environment ("96dpi", "144dpi", "dejavu"), or
// "" where it is not taken there.
inline std::string PictureName(const State& state, std::string_view environment)
{
    if (environment == "96dpi") {
        return std::string(state.name);
    }
    return state.everyEnvironment ? std::string(state.name) + "-" + std::string(environment) : "";
}

} // namespace pictures
