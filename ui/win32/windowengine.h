#pragma once

// The Win32 window engine: the error dispatcher around the program's
// window procedures, Load before show, and the message loop with dialog-style
// keyboard handling.

#include <windows.h>

#include <cstdlib>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace ui {

// Shows the user an error that ended an action of the program.
using ErrorReporter = std::function<void(const std::wstring& message)>;

// Replaces how errors are shown (by default: a line on stderr and a message
// box); an empty reporter brings the default back.
void SetErrorReporter(ErrorReporter reporter);

// Reports an error that ended a handler; what is the error's own text, or
// null. Taking a plain pointer, the call itself can never fail.
void ReportError(const char* what) noexcept;

// The event dispatcher: runs one handler of the program. An error that ends
// the handler stops here and is reported, so it never unwinds into Windows,
// and the program goes on with its window and state as they were. Returns
// whether the handler ran to its end.
template <typename Handler> bool Dispatch(Handler&& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ReportError(error.what());
    } catch (...) {
        ReportError(nullptr);
    }
    return false;
}

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

// Delivers every message waiting in the thread's queue; returns false once
// WM_QUIT has been taken from it.
bool DeliverWaitingMessages(HWND window);

// Raises Load of form exactly once and shows form only after Load returned.
// A failed Load is reported and the form stays hidden; returns whether it loaded.
template <typename Form> bool LoadThenShow(Form& form)
{
    if (!Dispatch([&form] { form.Form_Load(); })) {
        return false;
    }
    form.show();
    return true;
}

// Runs the message loop until the window closes; returns the exit status.
int RunMessageLoop(HWND window);

// The program's life: create the start-up form, load it, show it and run
// messages until the window closes. A form that cannot be created or loaded
// ends the program with status 1 and no window.
template <typename StartupForm> int RunWindowEngine()
{
    std::optional<StartupForm> form;
    if (!Dispatch([&form] { form.emplace(); }) || !LoadThenShow(*form)) {
        return EXIT_FAILURE;
    }
    return RunMessageLoop(form->handle());
}

} // namespace ui
