#include "ui/eventdispatch.h"

#include <cstdio>

namespace ui {

void ReportToUser(const std::u16string& message)
{
    engine::WriteErrorLine(u"velmora2-name-generator: error: " + message);
    // The box runs events of its own, its painting included; an error among
    // them must not open a second box, and so on without end.
    static bool boxOpen = false;
    if (boxOpen) {
        return;
    }
    struct OpenWhileAlive
    {
        OpenWhileAlive() { boxOpen = true; }
        ~OpenWhileAlive() { boxOpen = false; }
        OpenWhileAlive(const OpenWhileAlive&) = delete;
        OpenWhileAlive& operator=(const OpenWhileAlive&) = delete;
    } const open;
    engine::ShowErrorBox(message);
}

void ReportError(const char* what, const ErrorReporter& report) noexcept
{
    try {
        const std::u16string message =
            what == nullptr || *what == '\0'
                ? u"The action stopped because of an unknown error."
                : u"The action stopped because of an error:\n" + engine::FromSystemCodePage(what);
        report(message);
    } catch (...) {
        std::fputs("velmora2-name-generator: error: an action stopped, and reporting it failed\n",
                   stderr);
    }
}

} // namespace ui
