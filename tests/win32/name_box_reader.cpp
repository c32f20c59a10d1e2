// Prints, in UTF-8, what the name box of the running program shows. The
// wine test runs it beside the real program to read the generated name.

#include "ui/form1description.h"

#include <windows.h>

#include <cstdio>
#include <string>

int main()
{
    const std::wstring title(ui::description::Title.begin(), ui::description::Title.end());
    HWND window = FindWindowW(nullptr, title.c_str());
    // The name box is the window's only edit control.
    HWND nameBox = window != nullptr ? FindWindowExW(window, nullptr, L"Edit", nullptr) : nullptr;
    if (nameBox == nullptr) {
        std::fputs("no name box found\n", stderr);
        return EXIT_FAILURE;
    }
    wchar_t text[256] = {};
    // WM_GETTEXT, unlike GetWindowTextW, reads a control of another process.
    SendMessageW(nameBox, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
    return EXIT_SUCCESS;
}
