// The baselines for the start-up benchmark of the Windows program under
// wine: the plainest Win32 program with a window of the same frame and
// client size as ours and, built with BARE_WINDOW_WITH_TEXT, the same with
// one line of text in a label, which makes GDI load a font.

#include <windows.h>

namespace {

LRESULT CALLBACK bareWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = bareWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassExW(&windowClass);

    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame = {0, 0, 449, 209};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    HWND window = CreateWindowExW(0, L"BareWindow", L"Bare window", style, CW_USEDEFAULT,
                                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, instance, nullptr);
#ifdef BARE_WINDOW_WITH_TEXT
    HWND label = CreateWindowExW(0, L"STATIC", L"Velmora 2", WS_CHILD | WS_VISIBLE, 8, 8, 100, 17,
                                 window, nullptr, instance, nullptr);
    SendMessageW(label, WM_SETFONT,
                 reinterpret_cast<WPARAM>(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                                      ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                      DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif")),
                 FALSE);
#endif
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
