#include "ui/win32/windowengine.h"

#include "ui/form1description.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace ui {

namespace {

std::wstring widen(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

// Text from the C++ runtime (an exception's what()) is in the system code page.
std::wstring fromSystemCodePage(const std::string& text)
{
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

void writeToErrorOutput(const std::wstring& message)
{
    std::fwprintf(stderr, L"velmora2-name-generator: error: %ls\n", message.c_str());
    std::fflush(stderr);
    OutputDebugStringW((message + L"\n").c_str());
}

// A message box runs its own message loop, in which another handler can
// fail; its error goes to the error output instead of a second box.
void reportToUser(const std::wstring& message)
{
    static bool boxOpen = false;
    writeToErrorOutput(message);
    if (boxOpen) {
        return;
    }
    // Everything that can fail comes before the flag is set, so that it is
    // never left set with no box open.
    const std::wstring title = widen(description::Title);
    boxOpen = true;
    MessageBoxW(GetActiveWindow(), message.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
    boxOpen = false;
}

ErrorReporter& currentReporter()
{
    static ErrorReporter reporter = reportToUser;
    return reporter;
}

// Every window message of the program passes through here, inside the
// dispatcher. When a handler fails, the system's default handling stands
// in for it, so a failed paint is still validated.
LRESULT CALLBACK engineWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* target = reinterpret_cast<EngineWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (target == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (!Dispatch([&] { result = target->handleMessage(window, message, wParam, lParam); })) {
        result = DefWindowProcW(window, message, wParam, lParam);
    }
    return result;
}

bool isPushButton(HWND control)
{
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    const auto type = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return std::wstring_view(className) == L"Button" &&
           (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW);
}

} // namespace

void SetErrorReporter(ErrorReporter reporter)
{
    currentReporter() = reporter ? std::move(reporter) : ErrorReporter(reportToUser);
}

void ReportError(const char* what) noexcept
{
    try {
        const std::wstring message =
            what == nullptr || *what == '\0'
                ? L"The action stopped because of an unknown error."
                : L"The action stopped because of an error:\n" + fromSystemCodePage(what);
        currentReporter()(message);
    } catch (...) {
        // The report itself failed (no memory for its text): the plain
        // message of last resort still reaches the error output.
        OutputDebugStringW(L"velmora2-name-generator: error: an action stopped\n");
    }
}

void RegisterEngineClass(WNDCLASSEXW windowClass)
{
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = engineWindowProcedure;
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("The window class could not be registered");
    }
}

void DeliverMessage(HWND window, MSG& message)
{
    // Enter presses the push button that has the focus. The dialog manager
    // would send the window a command with the id IDOK instead, which no
    // control of ours carries, so Enter elsewhere does nothing.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN &&
        isPushButton(message.hwnd) && IsChild(window, message.hwnd)) {
        SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        return;
    }
    if (!IsDialogMessageW(window, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool DeliverWaitingMessages(HWND window)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            return false;
        }
        DeliverMessage(window, message);
    }
    return true;
}

int RunMessageLoop(HWND window)
{
    MSG message;
    BOOL got = 0;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        DeliverMessage(window, message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : EXIT_FAILURE;
}

} // namespace ui
