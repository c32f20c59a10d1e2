#include "ui/web/form1.h"

#include "ui/form1layout.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace ui {

namespace {

namespace layout = description;

// The functions called here are the page's, in ui/web/pagecontrols.js. A
// place goes over as four numbers in a row: left, top, width and height.
// clang-format off
EM_JS(void, makeWindow, (const char16_t* title, const int* wide, const int* narrowed,
                         int narrowBelow, const char* background, const char* foreground,
                         const char* family, double points), {
    velmoraMakeWindow(UTF16ToString(title), velmoraPlaceAt(wide), velmoraPlaceAt(narrowed),
                      narrowBelow, UTF8ToString(background), UTF8ToString(foreground),
                      UTF8ToString(family), points);
});
EM_JS(void, makeControl, (int kind, const char* name, const char* container,
                          const char16_t* caption, const int* wide, const int* narrowed,
                          int weight, const char* background, const char* foreground,
                          const char16_t* accessibleName, const char16_t* description,
                          void* form, int id), {
    velmoraMakeControl({kind, name: UTF8ToString(name), container: UTF8ToString(container),
                        caption: UTF16ToString(caption), wide: velmoraPlaceAt(wide),
                        narrowed: velmoraPlaceAt(narrowed), weight,
                        background: UTF8ToString(background), foreground: UTF8ToString(foreground),
                        accessibleName: UTF16ToString(accessibleName),
                        description: UTF16ToString(description),
                        click: () => Module["_velmora_form1_click"](form, id)});
});
EM_JS(void, readSystemColours, (std::uint32_t* colours), {
    HEAPU32.set(velmoraSystemColours(), colours >> 2);
});
EM_JS(int, isChecked, (const char* name), {
    return document.getElementById(UTF8ToString(name)).checked ? 1 : 0;
});
EM_JS(void, setText, (const char* name, const char16_t* text), {
    document.getElementById(UTF8ToString(name)).value = UTF16ToString(text);
});
EM_JS(void, tellScreenReaders, (const char16_t* text), {
    velmoraAnnounce(UTF16ToString(text));
});
EM_JS(void, showWindow, (const char* focus), {
    velmoraShowWindow(UTF8ToString(focus));
});
// The launcher: the address opens in a new tab, which is handed neither
// this page (noopener) nor its address (noreferrer); what is no http or
// https address is refused.
EM_JS(void, openInNewTab, (const char16_t* address), {
    let url;
    try {
        url = new URL(UTF16ToString(address));
    } catch (error) {
        return;
    }
    if (url.protocol === "http:" || url.protocol === "https:") {
        window.open(url.href, "_blank", "noopener,noreferrer");
    }
});
// clang-format on

layout::Rgb toRgb(std::uint32_t colour)
{
    return {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
            static_cast<std::uint8_t>(colour)};
}

// CSS pixels are pixels at 96 dpi; the browser scales them to the screen.
// The system's colours are the browser's for fields and buttons, light or
// dark as the page's colour scheme is.
Platform webPlatform()
{
    std::array<std::uint32_t, 3> colours{};
    readSystemColours(colours.data());
    return {96, toRgb(colours[0]), toRgb(colours[1]), toRgb(colours[2])};
}

std::array<int, 4> inARow(const PixelRect& place)
{
    return {place.left, place.top, place.width, place.height};
}

std::string css(layout::Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue) + ")";
}

void openWebPage(const std::u16string& address)
{
    openInNewTab(address.c_str());
}

} // namespace

Form1::Form1(Form1Parts parts) : Form1Behaviour(std::move(parts), openWebPage)
{
    const Platform platform = webPlatform();
    const Form1Layout wide = LayOut(platform);
    const Form1Layout narrow = LayOut(platform, layout::Narrow);
    const std::u16string title(layout::Title);
    makeWindow(title.c_str(), inARow(wide.clientArea).data(), inARow(narrow.clientArea).data(),
               layout::NarrowBelow, css(wide.background).c_str(), css(wide.foreground).c_str(),
               std::string(layout::FontFamily).c_str(), layout::FontPoints);
    // Made in the tab order, which is so the order of the page's elements
    // and of its Tab key; each frame comes before what it holds.
    for (const std::size_t index : layout::TabOrder()) {
        const PlacedControl& placed = wide.controls[index];
        const layout::Control& control = *placed.control;
        const std::u16string caption(control.caption);
        makeControl(static_cast<int>(control.kind), std::string(control.name).c_str(),
                    std::string(control.container).c_str(), caption.c_str(),
                    inARow(placed.inContainer).data(),
                    inARow(narrow.controls[index].inContainer).data(), placed.weight,
                    css(placed.background).c_str(), css(placed.foreground).c_str(),
                    placed.accessibleName.c_str(), placed.accessibleDescription.c_str(), this,
                    static_cast<int>(control.id));
    }
}

void Form1::show()
{
    showWindow(std::string(layout::FocusChain().front().name).c_str());
}

bool Form1::isChosen(layout::ControlId option) const
{
    return isChecked(
               std::string(layout::Controls[static_cast<std::size_t>(option)].name).c_str()) != 0;
}

void Form1::setNameText(const std::u16string& text)
{
    setText(std::string(layout::Controls[static_cast<std::size_t>(layout::TextName)].name).c_str(),
            text.c_str());
}

void Form1::announce(const std::u16string& text)
{
    tellScreenReaders(text.c_str());
}

} // namespace ui

// Called by the page for every click on a push button or option button.
extern "C" EMSCRIPTEN_KEEPALIVE void velmora_form1_click(ui::Form1* form, int id)
{
    form->Click(static_cast<ui::description::ControlId>(id));
}
