#include "ui/form1layout.h"

namespace ui {

namespace {

using namespace description;

description::Rgb resolve(Colour colour, const Platform& platform)
{
    switch (colour) {
    case Navy:
        return NavyRgb;
    case White:
        return WhiteRgb;
    case SystemWindow:
        return platform.window;
    case SystemWindowText:
        return platform.windowText;
    case SystemButtonText:
        return ButtonCaptionOnWhite(platform.buttonText);
    }
    return {};
}

std::size_t containerOf(const Control& control)
{
    return control.container == "Form1" ? OnTheWindow : IndexOf(control.container);
}

// Option buttons next to each other in the tab order and in the same frame
// form one group; every other control starts a group of its own.
bool startsGroup(const Control& control)
{
    if (control.kind != OptionButton || control.tabIndex == 0) {
        return true;
    }
    const Control& previous = Controls[TabOrder()[static_cast<std::size_t>(control.tabIndex - 1)]];
    return previous.kind != OptionButton || previous.container != control.container;
}

} // namespace

Form1Layout LayOut(const Platform& platform, const Arrangement& arrangement)
{
    const auto pixels = [&platform](int twips) { return ToPixels(twips, platform.dpi); };
    // In the client area's twips: a frame's place, then what it holds.
    std::array<Twips, Controls.size()> inClientArea = arrangement.places;
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        if (const std::size_t frame = containerOf(Controls[index]); frame != OnTheWindow) {
            inClientArea[index].left += arrangement.places[frame].left;
            inClientArea[index].top += arrangement.places[frame].top;
        }
    }
    const auto edges = [&pixels](const Twips& place) {
        const int left = pixels(place.left);
        const int top = pixels(place.top);
        return PixelRect{left, top, pixels(place.left + place.width) - left,
                         pixels(place.top + place.height) - top};
    };

    Form1Layout layout{edges(arrangement.clientArea), NavyRgb, WhiteRgb, {}};
    for (const AccessibleText& text : AccessibleTexts()) {
        PlacedControl& placed = layout.controls[static_cast<std::size_t>(text.control)];
        placed.accessibleName = text.name;
        placed.accessibleDescription = text.description;
    }
    for (std::size_t index = 0; index < Controls.size(); ++index) {
        const Control& control = Controls[index];
        PlacedControl& placed = layout.controls[index];
        placed.control = &control;
        placed.container = containerOf(control);
        placed.inClientArea = edges(inClientArea[index]);
        placed.inContainer = placed.inClientArea;
        if (placed.container != OnTheWindow) {
            const PixelRect frame = edges(inClientArea[placed.container]);
            placed.inContainer.left -= frame.left;
            placed.inContainer.top -= frame.top;
        }
        placed.background = resolve(control.background, platform);
        placed.foreground = resolve(control.foreground, platform);
        placed.weight = control.bold ? BoldWeight : RegularWeight;
        placed.takesFocus = TakesFocus(control.kind);
        placed.startsGroup = startsGroup(control);
        placed.raisesClick = control.kind == PushButton || control.kind == OptionButton;
    }
    return layout;
}

} // namespace ui
