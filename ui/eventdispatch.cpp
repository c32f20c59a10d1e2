#include "ui/eventdispatch.h"

#include <cstdio>
#include <utility>

namespace ui {

namespace {

void reportToUser(const std::u16string& message)
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

ErrorReporter& currentReporter()
{
    static ErrorReporter reporter = reportToUser;
    return reporter;
}

} // namespace

void SetErrorReporter(ErrorReporter reporter)
{
    currentReporter() = reporter ? std::move(reporter) : ErrorReporter(reportToUser);
}

void ReportError(const char* what) noexcept
{
    try {
        const std::u16string message =
            what == nullptr || *what == '\0'
                ? u"The action stopped because of an unknown error."
                : u"The action stopped because of an error:\n" + engine::FromSystemCodePage(what);
        currentReporter()(message);
    } catch (...) {
        std::fputs("velmora2-name-generator: error: an action stopped, and reporting it failed\n",
                   stderr);
    }
}

} // namespace ui
