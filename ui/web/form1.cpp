#include "ui/web/form1.h"

#include "ui/eventdispatch.h"
#include "ui/form1description.h"
#include "ui/web/narrowarrangement.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace ui {

namespace {

namespace layout = description;

// The functions called here are the page's, in ui/web/pagecontrols.js.
// clang-format off
EM_JS(void, makeWindow, (const char16_t* title, const int* wide, const int* narrowed,
                         int fitsFrom, const char* background, const char* foreground,
                         const char* family, double points), {
    velmoraMakeWindow(UTF16ToString(title), velmoraPlaceAt(wide), velmoraPlaceAt(narrowed),
                      fitsFrom, UTF8ToString(background), UTF8ToString(foreground),
                      UTF8ToString(family), points);
});
EM_JS(void, makeControl, (int kind, const char* name, const char* container,
                          const char16_t* caption, const int* wide, const int* narrowed,
                          int weight, const char* background, const char* foreground,
                          void* form, int index), {
    velmoraMakeControl({kind, name: UTF8ToString(name), container: UTF8ToString(container),
                        caption: UTF16ToString(caption), wide: velmoraPlaceAt(wide),
                        narrowed: velmoraPlaceAt(narrowed), weight,
                        background: UTF8ToString(background), foreground: UTF8ToString(foreground),
                        click: () => Module["_velmora_form1_click"](form, index)});
});
EM_JS(void, describeControl, (const char* name, const char16_t* accessibleName,
                              const char16_t* description), {
    velmoraDescribe(UTF8ToString(name), UTF16ToString(accessibleName),
                    UTF16ToString(description));
});
EM_JS(std::uint32_t, systemColour, (const char* name), {
    return velmoraSystemColour(UTF8ToString(name));
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
// clang-format on

// CSS pixels are pixels at 96 dpi; the browser scales them to the screen.
int pixels(int twips)
{
    return twips / layout::TwipsPerPixelAt96Dpi;
}

// As the page takes a place: left, top, width and height in a row.
std::array<int, 4> pixels(layout::Twips place)
{
    return {pixels(place.left), pixels(place.top), pixels(place.width), pixels(place.height)};
}

std::string css(layout::Rgb colour)
{
    return "rgb(" + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue) + ")";
}

// The system's colours are the browser's for fields and buttons, light or
// dark as the page's colour scheme is. Asking the page for one makes it work
// out its styles, so the button text's is asked for once.
std::string resolve(layout::Colour colour)
{
    static const std::uint32_t buttonText = systemColour("ButtonText");
    switch (colour) {
    case layout::Colour::Navy:
        return css(layout::NavyRgb);
    case layout::Colour::White:
        return css(layout::WhiteRgb);
    case layout::Colour::SystemWindow:
        return "Field";
    case layout::Colour::SystemWindowText:
        return "FieldText";
    case layout::Colour::SystemButtonText:
        return css(layout::ButtonCaptionOnWhite({static_cast<std::uint8_t>(buttonText >> 16),
                                                 static_cast<std::uint8_t>(buttonText >> 8),
                                                 static_cast<std::uint8_t>(buttonText)}));
    }
    return {};
}

} // namespace

Form1::Form1(names::RandomSource& random, WebPageOpener openWebPage)
    : Form1Behaviour(random, std::move(openWebPage))
{
    constexpr auto narrowPlaces = layout::NarrowPlaces();
    const std::u16string title(layout::Title);
    makeWindow(
        title.c_str(), pixels(layout::ClientArea).data(), pixels(layout::NarrowClientArea()).data(),
        pixels(layout::ClientArea.width + 2 * layout::Margin), css(layout::NavyRgb).c_str(),
        css(layout::WhiteRgb).c_str(), std::string(layout::FontFamily).c_str(), layout::FontPoints);
    // Made in the tab order, which is so the order of the page's elements
    // and of its Tab key; each frame comes before what it holds.
    for (const std::size_t index : layout::TabOrder()) {
        const layout::Control& control = layout::Controls[index];
        const std::u16string caption(control.caption);
        makeControl(static_cast<int>(control.kind), std::string(control.name).c_str(),
                    std::string(control.container).c_str(), caption.c_str(),
                    pixels(control.place).data(), pixels(narrowPlaces[index]).data(),
                    control.bold ? layout::BoldWeight : layout::RegularWeight,
                    resolve(control.background).c_str(), resolve(control.foreground).c_str(), this,
                    static_cast<int>(index));
    }
    for (const layout::AccessibleText& text : layout::AccessibleTexts()) {
        describeControl(std::string(text.control).c_str(), text.name.c_str(),
                        text.description.c_str());
    }
}

void Form1::show()
{
    showWindow(std::string(layout::FocusChain().front().name).c_str());
}

void Form1::clicked(std::size_t index)
{
    Dispatch([this, index] { Click(layout::Controls.at(index).name); });
}

bool Form1::isChosen(std::string_view option) const
{
    return isChecked(std::string(option).c_str()) != 0;
}

void Form1::setNameText(const std::u16string& text)
{
    setText("TextName", text.c_str());
}

void Form1::announce(const std::u16string& text)
{
    tellScreenReaders(text.c_str());
}

} // namespace ui

// Called by the page for every click on a push button or option button.
extern "C" EMSCRIPTEN_KEEPALIVE void velmora_form1_click(ui::Form1* form, int index)
{
    form->clicked(static_cast<std::size_t>(index));
}
