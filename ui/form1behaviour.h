#pragma once

// What the main window does, written once for both window engines: Load
// and the click handlers. Each engine's Form1 derives from this and lends
// it its controls through the three operations at the end.

#include "names/nametable.h"
#include "names/randomsource.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ui {

// Opens a web address in the user's browser; returns the shell's result.
using WebPageOpener = std::function<std::int32_t(const std::u16string& address)>;

// The window's own state is the two name tables; the chosen gender lives
// only in the option buttons and the current name only in the name box.
class Form1Behaviour
{
public:
    // Load: seed the random source from the time of day, then fill the tables.
    void Form_Load();

    const names::NameTables& nameTables() const { return m_names; }

protected:
    // The random source and the browser launcher are the program's own
    // unless a caller (a test) hands in others.
    Form1Behaviour(names::RandomSource& random, WebPageOpener openWebPage);
    ~Form1Behaviour() = default;
    Form1Behaviour(const Form1Behaviour&) = delete;
    Form1Behaviour& operator=(const Form1Behaviour&) = delete;

    // The engine reports a click of a push button, or the choice of an
    // option button, by the control's name; every push button and option
    // button of the window has a handler.
    void Click(std::string_view control);

private:
    void Command1_Click();
    void OptionMale_Click();
    void OptionFemale_Click();
    void Command2_Click();
    void Command4_Click();

    // What the engine's controls do for the handlers. Each may throw, which
    // ends the running handler.
    virtual bool isChosen(std::string_view option) const = 0;
    virtual void setNameText(const std::u16string& text) = 0;
    // Tells screen readers text, coming from the name box.
    virtual void announce(const std::u16string& text) = 0;

    names::NameTables m_names;
    names::RandomSource& m_random;
    WebPageOpener m_openWebPage;
};

} // namespace ui
