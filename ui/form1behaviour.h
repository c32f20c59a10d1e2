#pragma once

// What the main window does, written once for every window engine: Load and
// the click handlers. Each engine's Form1 derives from this, reports each
// click by the control's id, and lends it its controls through the three
// operations at the end.

#include "names/nametable.h"
#include "names/randomsource.h"
#include "ui/eventdispatch.h"
#include "ui/form1description.h"

#include <functional>
#include <string>
#include <string_view>

namespace ui {

// Opens a web address in the user's browser.
using WebPageOpener = std::function<void(const std::u16string& address)>;

// What the window is handed where it is made: the program's own random
// source, the platform's launcher and the engine's error box, unless the
// caller hands in others.
struct Form1Parts
{
    names::RandomSource& random = names::ProcessRandom();
    WebPageOpener openWebPage = nullptr;
    ErrorReporter reportError = nullptr;
};

// The window's own state is the two name tables; the chosen gender lives
// only in the option buttons and the current name only in the name box.
class Form1Behaviour
{
public:
    // Raises Load, inside the dispatcher: seeds the random source from the
    // time of day, then fills the tables. Returns whether it ran to its end.
    bool Load() noexcept;

    // The engine reports a click of a push button, or the choice of an
    // option button; its handler runs inside the dispatcher.
    void Click(description::ControlId control) noexcept;

protected:
    Form1Behaviour(Form1Parts parts, WebPageOpener platformLauncher);
    ~Form1Behaviour() = default;
    Form1Behaviour(const Form1Behaviour&) = delete;
    Form1Behaviour& operator=(const Form1Behaviour&) = delete;

private:
    // Hands run the Click handler of control, as a function of the form;
    // false for a control that raises no Click.
    template <typename Run>
    static constexpr bool WithHandler(description::ControlId control, Run run);

    void Command1_Click();
    void Option_Click();
    void OpenLink_Click(std::u16string_view fixedAddress);

    // What the engine's controls do for the handlers. Each may throw, which
    // ends the running handler.
    virtual bool isChosen(description::ControlId option) const = 0;
    virtual void setNameText(const std::u16string& text) = 0;
    // Tells screen readers text, coming from the name box.
    virtual void announce(const std::u16string& text) = 0;

    names::NameTables m_names;
    names::RandomSource& m_random;
    WebPageOpener m_openWebPage;
    ErrorReporter m_reportError;
};

} // namespace ui
