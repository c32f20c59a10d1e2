#pragma once

// The Win32 window engine: the program's window procedures inside the
// event dispatcher, and the message loop with dialog-style
// keyboard handling.

#include "ui/eventdispatch.h"
#include "ui/form1behaviour.h"

#include <windows.h>

#include <cstdlib>
#include <optional>
#include <utility>

namespace ui {

// A window of the program: the engine's window procedure hands it every
// message, inside the dispatcher.
class EngineWindow
{
public:
    virtual ~EngineWindow() = default;
    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

// Registers a window class whose window procedure passes messages to the
// EngineWindow given as the creation parameter of CreateWindowExW.
void RegisterEngineClass(WNDCLASSEXW windowClass);

// Delivers one message the way the message loop does: Tab, Shift+Tab and
// the arrow keys move the focus; Space and Enter press a focused push button;
// Enter anywhere else does nothing.
void DeliverMessage(HWND window, MSG& message);

// Runs the message loop until the window closes; returns the exit status.
int RunMessageLoop(HWND window);

// The program's life: create the start-up form, load it, show it and run
// messages until the window closes. A form that cannot be created or loaded
// ends the program with status 1 and no window. The command line is ignored.
template <typename StartupForm> int RunWindowEngine(int, char**, Form1Parts parts = {})
{
    std::optional<StartupForm> form;
    if (!Dispatch([&] { form.emplace(std::move(parts)); }) || !LoadThenShow(*form)) {
        return EXIT_FAILURE;
    }
    return RunMessageLoop(form->handle());
}

} // namespace ui
