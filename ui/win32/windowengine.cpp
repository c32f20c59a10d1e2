#include "ui/win32/windowengine.h"

#include "ui/form1description.h"

#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace ui {

namespace {

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

namespace engine {

std::u16string FromSystemCodePage(std::string_view text)
{
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::u16string wide(static_cast<std::size_t>(size > 0 ? size : 0), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, reinterpret_cast<wchar_t*>(wide.data()),
                        size);
    return wide;
}

void WriteErrorLine(const std::u16string& line)
{
    const auto* text = reinterpret_cast<const wchar_t*>(line.c_str());
    std::fwprintf(stderr, L"%ls\n", text);
    std::fflush(stderr);
    OutputDebugStringW((std::wstring(text) + L"\n").c_str());
}

void ShowErrorBox(const std::u16string& message)
{
    const std::u16string title(description::Title);
    MessageBoxW(GetActiveWindow(), reinterpret_cast<const wchar_t*>(message.c_str()),
                reinterpret_cast<const wchar_t*>(title.c_str()), MB_OK | MB_ICONERROR);
}

} // namespace engine

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
