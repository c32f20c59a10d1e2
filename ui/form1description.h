#pragma once

// The main window as data, free of any toolkit: its frame, fonts, colours and
// the sixteen controls with their places, captions and tab order. Every
// engine's window is built from this one description, as ui/form1layout.h
// reads it.

#include "links/webaddresses.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace ui::description {

// The layout is drawn up in twips, 1/1440 inch: 15 twips are one pixel at 96 dpi.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int TwipsPerPixelAt96Dpi = 15;

// A place: left, top, width and height, in twips or in an engine's pixels.
struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
using Twips = Rect;

struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

inline constexpr Rgb NavyRgb{0, 0, 128};
inline constexpr Rgb WhiteRgb{255, 255, 255};
inline constexpr Rgb BlackRgb{0, 0, 0};

// Contrast between two colours as the WCAG defines it, from 1 (none) to 21.
inline double ContrastRatio(Rgb first, Rgb second)
{
    const auto luminance = [](Rgb colour) {
        const auto linear = [](std::uint8_t channel) {
            const double value = channel / 255.0;
            return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) +
               0.0722 * linear(colour.blue);
    };
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The push buttons' faces are always white. Their captions keep the
// system's button-text colour where it reads on white (WCAG AA, 4.5:1);
// a dark theme's light caption colour would vanish there, so it gives way
// to black.
inline Rgb ButtonCaptionOnWhite(Rgb systemButtonText)
{
    constexpr double readable = 4.5;
    return ContrastRatio(systemButtonText, WhiteRgb) >= readable ? systemButtonText : BlackRgb;
}

// Where a control's colour comes from: the window's own navy or white, or
// the system's colour for that part of a control.
enum class Colour : std::uint8_t { Navy, White, SystemWindow, SystemWindowText, SystemButtonText };

enum class Kind : std::uint8_t { PictureBox, Frame, PushButton, Label, TextBox, OptionButton };

// Each control by its place in Controls: how engines and handlers name it.
enum class ControlId : std::uint8_t {
    Picture1,
    Frame4,
    Command4,
    Command2,
    Label5,
    Label4,
    Label6,
    Label7,
    Label8,
    Frame3,
    Command1,
    Frame2,
    TextName,
    Frame1,
    OptionFemale,
    OptionMale,
};

struct Control
{
    ControlId id;
    std::string_view name;
    Kind kind;
    std::string_view container; // "Form1" or the name of a frame
    std::u16string_view caption;
    Twips place; // relative to the container's outer rectangle
    int tabIndex;
    bool bold;
    Colour background;
    Colour foreground;
};

// Frames, labels and the window itself hold a place in the tab order but
// never take the focus.
constexpr bool TakesFocus(Kind kind)
{
    return kind == Kind::PictureBox || kind == Kind::PushButton || kind == Kind::TextBox ||
           kind == Kind::OptionButton;
}

// The host part of an absolute address "scheme://host/", as the About group
// shows it beside the link buttons.
constexpr std::u16string_view HostOf(std::u16string_view address)
{
    const auto start = address.find(u"://") + 3;
    return address.substr(start, address.find(u'/', start) - start);
}

inline constexpr std::u16string_view Title = u"Velmora 2 Name Generator";
inline constexpr Twips ClientArea{0, 0, 6735, 3135};
inline constexpr std::string_view FontFamily = "MS Sans Serif";
inline constexpr double FontPoints = 8.25;
inline constexpr int RegularWeight = 400;
inline constexpr int BoldWeight = 700;

using enum Kind;
using enum Colour;
using enum ControlId;

// In the order the Qt window creates them; the Win32 window and the page
// make them in the tab order, which is the order of their windows.
inline constexpr std::array<Control, 16> Controls{{
    // clang-format off
    {Picture1,     "Picture1",     PictureBox,   "Form1",  u"",                                   {4680, 120, 1875, 1785}, 15, false, SystemWindow, SystemWindowText},
    {Frame4,       "Frame4",       Frame,        "Form1",  u"About:",                             {120, 1920, 6495, 1095},  7, false, Navy,         White},
    {Command4,     "Command4",     PushButton,   "Frame4", u"Velmora Workshop",                   {120, 600, 1935, 375},    8, false, White,        SystemButtonText},
    {Command2,     "Command2",     PushButton,   "Frame4", u"Dornwick",                           {120, 240, 1935, 375},    9, false, White,        SystemButtonText},
    {Label5,       "Label5",       Label,        "Frame4", HostOf(links::VelmoraWorkshopHomePage), {4440, 720, 1695, 255}, 14, false, Navy,         White},
    {Label4,       "Label4",       Label,        "Frame4", HostOf(links::DornwickHomePage),       {4440, 480, 1455, 255},  13, false, Navy,         White},
    {Label6,       "Label6",       Label,        "Frame4", u"On the web:",                        {4440, 240, 1695, 255},  12, true,  Navy,         White},
    {Label7,       "Label7",       Label,        "Frame4", u"The Velmora fan crew",               {2280, 480, 1815, 255},  11, false, Navy,         White},
    {Label8,       "Label8",       Label,        "Frame4", u"Names by:",                          {2280, 240, 1455, 255},  10, true,  Navy,         White},
    {Frame3,       "Frame3",       Frame,        "Form1",  u"Generate:",                          {2400, 120, 2175, 735},   5, false, Navy,         White},
    {Command1,     "Command1",     PushButton,   "Frame3", u"Generate Name",                      {120, 240, 1935, 375},    6, false, White,        SystemButtonText},
    {Frame2,       "Frame2",       Frame,        "Form1",  u"Generated Name:",                    {120, 960, 4455, 855},    3, false, Navy,         White},
    {TextName,     "TextName",     TextBox,      "Frame2", u"",                                   {120, 360, 4215, 285},    4, false, SystemWindow, SystemWindowText},
    {Frame1,       "Frame1",       Frame,        "Form1",  u"Gender:",                            {120, 120, 2175, 735},    0, false, Navy,         White},
    {OptionFemale, "OptionFemale", OptionButton, "Frame1", u"Female",                             {1080, 360, 975, 255},    2, false, Navy,         White},
    {OptionMale,   "OptionMale",   OptionButton, "Frame1", u"Male",                               {120, 360, 975, 255},     1, false, Navy,         White},
    // clang-format on
}};

// What screen readers hear of a control beyond what its caption says:
// the name box and the banner have no caption, and a link button's caption
// does not say where it leads.
struct AccessibleText
{
    ControlId control;
    std::u16string name;        // "" where the caption names the control
    std::u16string description; // "" for none
};

inline std::u16string LinkButtonDescription(std::u16string_view address)
{
    return u"Opens " + std::u16string(HostOf(address)) + u" in your web browser";
}

inline std::array<AccessibleText, 4> AccessibleTexts()
{
    return {{
        {TextName, u"Generated Name", u""},
        {Picture1, u"Velmora 2 Name Generator banner",
         u"Title artwork of the game Velmora 2 above the words NAME GENERATOR"},
        {Command2, u"", LinkButtonDescription(links::DornwickHomePage)},
        {Command4, u"", LinkButtonDescription(links::VelmoraWorkshopHomePage)},
    }};
}

// Screen readers are told each new name as it appears: this, then the name.
inline constexpr std::u16string_view AnnouncementLead = u"Generated name: ";

// The place of the control called name in the window's description; a name
// the window lacks does not compile where the index is a constant.
constexpr std::size_t IndexOf(std::string_view name)
{
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        if (Controls[index].name == name) {
            return index;
        }
    }
    throw std::logic_error("The window has no such control");
}

static_assert(std::all_of(Controls.begin(), Controls.end(),
                          [](const Control& control) {
                              return &control == &Controls[static_cast<std::size_t>(control.id)];
                          }),
              "each control's id is its place in Controls");

// Every control's index in Controls, in ascending tab index.
constexpr std::array<std::size_t, Controls.size()> TabOrder()
{
    std::array<std::size_t, Controls.size()> order{};
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        order[static_cast<std::size_t>(Controls[index].tabIndex)] = index;
    }
    return order;
}

constexpr std::size_t CountFocusable()
{
    return static_cast<std::size_t>(
        std::count_if(Controls.begin(), Controls.end(),
                      [](const Control& control) { return TakesFocus(control.kind); }));
}

// The controls that take the focus, in ascending tab index.
constexpr std::array<Control, CountFocusable()> FocusChain()
{
    std::array<Control, CountFocusable()> chain{};
    std::size_t count = 0;
    for (const std::size_t index : TabOrder()) {
        if (TakesFocus(Controls[index].kind)) {
            chain[count++] = Controls[index];
        }
    }
    return chain;
}

} // namespace ui::description
