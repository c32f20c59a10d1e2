// A program whose start-up form fails in Load, run under wine by the wine
// test to see the whole engine path: reported, never shown, status 1.

#include "ui/win32/windowengine.h"

#include <cstdio>
#include <new>
#include <string>

namespace {

struct FailingLoadForm
{
    void Form_Load() { throw std::bad_alloc(); }
    void show() { std::puts("shown"); }
    HWND handle() const { return nullptr; }
};

} // namespace

int main()
{
    // Reported in the output, not in a message box to wait for.
    ui::SetErrorReporter([](const std::u16string& message) {
        std::printf("reported: %ls\n", reinterpret_cast<const wchar_t*>(message.c_str()));
    });
    return ui::RunWindowEngine<FailingLoadForm>();
}
