#pragma once

// The window engines' event dispatcher, written once: every handler of the
// program runs inside Dispatch, which stops and reports an error that ends
// it, so that nothing thrown reaches the toolkit's own event loop. Each
// engine supplies the three operations of namespace engine at the end.

#include <exception>
#include <functional>
#include <string>
#include <string_view>

namespace ui {

// Shows the user an error that ended an action of the program.
using ErrorReporter = std::function<void(const std::u16string& message)>;

// The engine's way: a line on the error output and a message box; while
// that box is open, further errors go to the error output only.
void ReportToUser(const std::u16string& message);

// Reports an error that ended a handler; what is the error's own text (in
// the system's 8-bit code page), or null. Reporting never ends the program:
// should the reporter itself fail, a line on stderr is all that is left.
void ReportError(const char* what, const ErrorReporter& report) noexcept;

// Runs one handler of the program. An error that ends the handler stops
// here and is reported, and the program goes on with its window and state
// as they were. Returns whether the handler ran to its end.
template <typename Handler>
bool Dispatch(Handler&& handler, const ErrorReporter& report = ReportToUser) noexcept
{
    try {
        handler();
        return true;
    } catch (const std::exception& error) {
        ReportError(error.what(), report);
    } catch (...) {
        ReportError(nullptr, report);
    }
    return false;
}

// Raises Load of form exactly once and shows form only after Load returned.
// A failed Load is reported and the form stays hidden; returns whether it loaded.
template <typename Form> bool LoadThenShow(Form& form)
{
    if (!form.Load()) {
        return false;
    }
    form.show();
    return true;
}

namespace engine {

// Text from the C++ runtime (an exception's what()), which is in the
// system's 8-bit code page.
std::u16string FromSystemCodePage(std::string_view text);
// One line on the program's error output.
void WriteErrorLine(const std::u16string& line);
// A modal message box with the error, over the active window.
void ShowErrorBox(const std::u16string& message);

} // namespace engine

} // namespace ui
