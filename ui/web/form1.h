#pragma once

#include "ui/form1behaviour.h"

#include <string>

namespace ui {

// The program's one window in a web page: the browser's own controls, made
// from the window's description inside the page's window element. What it
// does is Form1Behaviour's.
class Form1 : public Form1Behaviour
{
public:
    explicit Form1(Form1Parts parts = {});

    // Shows the window, with the focus on the first control that takes it.
    void show();

private:
    bool isChosen(description::ControlId option) const override;
    void setNameText(const std::u16string& text) override;
    void announce(const std::u16string& text) override;
};

} // namespace ui
