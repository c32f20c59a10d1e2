#pragma once

// The window's description read once, for every engine: from it and from
// what the platform tells (its scale and its system colours) come each
// control's place in the engine's own pixels, its colours, its font weight,
// its part in the keyboard's order and groups, and what screen readers hear
// of it. An engine then only makes its own widget for each placed control.

#include "ui/form1description.h"
#include "ui/narrowarrangement.h"

#include <array>
#include <cstddef>
#include <string>

namespace ui {

using PixelRect = description::Rect;

// What the platform tells the reading.
struct Platform
{
    // The engine's pixels to the inch: 96 where the engine scales by itself.
    int dpi = 96;
    // The system's colours of fields, their text and button captions.
    description::Rgb window{};
    description::Rgb windowText{};
    description::Rgb buttonText{};
};

// Twips to pixels at dpi, rounded to the nearest pixel.
constexpr int ToPixels(int twips, int dpi)
{
    return (twips * dpi + description::TwipsPerInch / 2) / description::TwipsPerInch;
}

// The container of a control placed on the window itself.
inline constexpr std::size_t OnTheWindow = description::Controls.size();

struct PlacedControl
{
    const description::Control* control;
    std::size_t container; // the frame's index in Controls, or OnTheWindow
    // Edges from the client area's twips, so neighbours stay flush at every scale.
    PixelRect inClientArea;
    PixelRect inContainer;
    description::Rgb background;
    description::Rgb foreground;
    int weight;
    bool takesFocus;
    // The arrow keys move within a group: the option buttons of one frame.
    bool startsGroup;
    // Push buttons, and option buttons as they are chosen.
    bool raisesClick;
    std::u16string accessibleName;        // "" where the caption names the control
    std::u16string accessibleDescription; // "" for none
};

struct Form1Layout
{
    PixelRect clientArea;
    description::Rgb background;
    description::Rgb foreground;
    std::array<PlacedControl, description::Controls.size()> controls; // in the order of Controls
};

Form1Layout LayOut(const Platform& platform,
                   const description::Arrangement& arrangement = description::Wide);

} // namespace ui
