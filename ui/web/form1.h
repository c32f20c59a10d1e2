#pragma once

#include "ui/form1behaviour.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

// The program's one window in a web page: the browser's own controls, made
// from the window's description inside the page's window element. What it
// does is Form1Behaviour's.
class Form1 : public Form1Behaviour
{
public:
    explicit Form1(names::RandomSource& random = names::ProcessRandom(),
                   WebPageOpener openWebPage = {});

    // Shows the window, with the focus on the first control that takes it.
    void show();

    // The page reports a click on the control at index of the description.
    void clicked(std::size_t index);

private:
    bool isChosen(std::string_view option) const override;
    void setNameText(const std::u16string& text) override;
    void announce(const std::u16string& text) override;
};

} // namespace ui
