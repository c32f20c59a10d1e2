#pragma once

// The window on a screen narrower than itself, such as a phone held
// upright: what fits on the narrowest phone stays where it is; the rest
// moves below it, a column at a time (the controls sharing a left edge), in
// the tab order, at the margin's distance from the left. A frame that moves
// and is too wide for the narrow window takes its inside width, and its own
// controls are arranged the same way within it.

#include "ui/form1description.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace ui::description {

// The narrowest screen the window is arranged for, 320 CSS pixels.
inline constexpr int NarrowestScreen = 320 * TwipsPerPixelAt96Dpi;
// From the window's edge to its frames, and from a frame's edge to what it holds.
inline constexpr int Margin = 120;
// Between the window's bands, as from "Gender:" down to "Generated Name:".
inline constexpr int BandSpacing = 105;

namespace arrangement {

constexpr int Right(const Twips& place)
{
    return place.left + place.width;
}

constexpr int Bottom(const Twips& place)
{
    return place.top + place.height;
}

constexpr std::array<Twips, Controls.size()> WidePlaces()
{
    std::array<Twips, Controls.size()> places{};
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        places[index] = Controls[index].place;
    }
    return places;
}

// The lowest edge of what container holds, in places.
constexpr int ContentBottom(const std::array<Twips, Controls.size()>& places,
                            std::string_view container)
{
    int bottom = 0;
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        if (Controls[index].container == container) {
            bottom = std::max(bottom, Bottom(places[index]));
        }
    }
    return bottom;
}

// The moving control of a column that is highest on the wide window, or
// Controls.size() when none is left.
constexpr std::size_t TopmostMoving(const std::array<bool, Controls.size()>& moves, int left)
{
    std::size_t topmost = Controls.size();
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        if (moves[index] && Controls[index].place.left == left &&
            (topmost == Controls.size() ||
             Controls[index].place.top < Controls[topmost].place.top)) {
            topmost = index;
        }
    }
    return topmost;
}

// Arranges what container holds within limit, in places.
constexpr void Arrange(std::array<Twips, Controls.size()>& places, std::string_view container,
                       int limit)
{
    std::array<bool, Controls.size()> moves{};
    int width = 0; // of what stays, to its rightmost control and the margin beyond
    int bottom = 0;
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        const Twips& place = Controls[index].place;
        if (Controls[index].container != container) {
            continue;
        }
        moves[index] = Right(place) + Margin > limit;
        if (!moves[index]) {
            width = std::max(width, Right(place) + Margin);
            bottom = std::max(bottom, Bottom(place));
        }
    }
    for (const std::size_t start : TabOrder()) {
        if (!moves[start]) {
            continue;
        }
        // Its column, top to bottom, each control as far below the one
        // before as on the wide window; a frame that grows pushes the rest down.
        const int left = Controls[start].place.left;
        bool topOfColumn = true;
        int wideBottom = 0; // of the control before, on the wide window
        for (std::size_t next = TopmostMoving(moves, left); next != Controls.size();
             next = TopmostMoving(moves, left)) {
            moves[next] = false;
            const Control& control = Controls[next];
            Twips& place = places[next];
            place.left = Margin;
            place.top = bottom + (topOfColumn ? BandSpacing : control.place.top - wideBottom);
            topOfColumn = false;
            wideBottom = Bottom(control.place);
            if (control.kind == Frame && Right(place) + Margin > width) {
                const int before = ContentBottom(places, control.name);
                place.width = width - 2 * Margin;
                Arrange(places, control.name, place.width);
                place.height += ContentBottom(places, control.name) - before;
            }
            bottom = Bottom(place);
        }
    }
}

} // namespace arrangement

// Each control's place on the narrowest screen, as Control::place.
constexpr std::array<Twips, Controls.size()> NarrowPlaces()
{
    std::array<Twips, Controls.size()> places = arrangement::WidePlaces();
    arrangement::Arrange(places, "Form1", NarrowestScreen);
    return places;
}

// The client area there: to the rightmost control and the margin beyond,
// and with the wide window's margin below the lowest.
constexpr Twips NarrowClientArea()
{
    const std::array<Twips, Controls.size()> places = NarrowPlaces();
    Twips area{};
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        if (Controls[index].container == "Form1") {
            area.width = std::max(area.width, arrangement::Right(places[index]) + Margin);
        }
    }
    area.height = arrangement::ContentBottom(places, "Form1") + ClientArea.height -
                  arrangement::ContentBottom(arrangement::WidePlaces(), "Form1");
    return area;
}

// Where the controls stand, with the client area around them.
struct Arrangement
{
    Twips clientArea;
    std::array<Twips, Controls.size()> places;
};

inline constexpr Arrangement Wide{ClientArea, arrangement::WidePlaces()};
inline constexpr Arrangement Narrow{NarrowClientArea(), NarrowPlaces()};

// The narrow arrangement applies below this width in pixels at 96 dpi:
// the wide window and its margin either side.
inline constexpr int NarrowBelow = (ClientArea.width + 2 * Margin) / TwipsPerPixelAt96Dpi;

} // namespace ui::description
