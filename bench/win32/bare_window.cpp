// The baselines for the start-up benchmark of the Windows program under
// wine: the plainest Win32 program with a window of the same frame and
// client size as ours; built with BARE_WINDOW_WITH_TEXT, the same with one
// line of text in a label, which makes GDI load a font; and built with
// BARE_WINDOW_WITH_CONTROLS, the same with sixteen controls of the kinds
// our window has, which is what those cost under wine.

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
#if defined(BARE_WINDOW_WITH_TEXT) || defined(BARE_WINDOW_WITH_CONTROLS)
    const auto font = reinterpret_cast<WPARAM>(
        CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
#endif
#ifdef BARE_WINDOW_WITH_TEXT
    HWND label = CreateWindowExW(0, L"STATIC", L"Velmora 2", WS_CHILD | WS_VISIBLE, 8, 8, 100, 17,
                                 window, nullptr, instance, nullptr);
    SendMessageW(label, WM_SETFONT, font, FALSE);
#endif
#ifdef BARE_WINDOW_WITH_CONTROLS
    struct Kind
    {
        const wchar_t* className;
        DWORD style;
        DWORD exStyle;
        int count;
    };
    // Frames, push buttons, labels, the name box, option buttons, the banner.
    const Kind kinds[] = {{L"BUTTON", BS_GROUPBOX, 0, 4},
                          {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 3},
                          {L"STATIC", SS_LEFT, 0, 5},
                          {L"EDIT", ES_READONLY | WS_TABSTOP, WS_EX_CLIENTEDGE, 1},
                          {L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, 2},
                          {L"STATIC", SS_LEFT, 0, 1}};
    int place = 0;
    for (const Kind& kind : kinds) {
        for (int made = 0; made < kind.count; ++made, ++place) {
            HWND control = CreateWindowExW(kind.exStyle, kind.className, L"Velmora 2",
                                           WS_CHILD | WS_VISIBLE | kind.style,
                                           8 + place % 4 * 110, 8 + place / 4 * 50, 100, 40,
                                           window, nullptr, instance, nullptr);
            SendMessageW(control, WM_SETFONT, font, FALSE);
        }
    }
#endif
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
