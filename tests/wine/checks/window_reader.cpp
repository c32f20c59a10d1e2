// Reads a visible top-level window of another program by its title, spaces
// at the end aside (the installer's has one), for the wine tests:
//   window_reader texts <title>    the texts of its visible controls, one a
//                                  line, a ticked box or option marked "[x] "
//   window_reader process <title>  the program that owns it, its process
//                                  id, and its parent's id and name; a
//                                  hidden window of a program still running
//                                  counts when no visible one has the title

#include <windows.h>

#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

void printUtf8(const std::wstring& text)
{
    char utf8[1024] = {};
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%s\n", utf8);
}

BOOL CALLBACK printText(HWND control, LPARAM)
{
    wchar_t text[512] = {};
    // WM_GETTEXT, unlike GetWindowTextW, reads a control of another process.
    SendMessageW(control, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    if (IsWindowVisible(control) && text[0] != L'\0') {
        const bool ticked = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
        printUtf8(std::wstring(ticked ? L"[x] " : L"") + text);
    }
    return TRUE;
}

// The snapshot's entry of the process with this id.
PROCESSENTRY32W processEntry(DWORD id)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    BOOL more = Process32FirstW(snapshot, &entry);
    while (more && entry.th32ProcessID != id) {
        more = Process32NextW(snapshot, &entry);
    }
    CloseHandle(snapshot);
    return entry.th32ProcessID == id ? entry : PROCESSENTRY32W{};
}

std::wstring imageOf(DWORD id)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (process != nullptr) {
        QueryFullProcessImageNameW(process, 0, image, &size);
        CloseHandle(process);
    }
    return image;
}

HWND findWindow(const std::wstring& title, bool visibleOnly)
{
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, nullptr, nullptr));) {
        wchar_t text[256] = {};
        GetWindowTextW(window, text, 256);
        std::wstring shown = text;
        shown.erase(shown.find_last_not_of(L' ') + 1);
        if ((IsWindowVisible(window) || !visibleOnly) && shown == title) {
            return window;
        }
    }
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool texts = argc == 3 && std::wstring(argv[1]) == L"texts";
    // A program stays while it closes: its window is hidden before it goes,
    // and until then an installer still finds it.
    HWND window = argc == 3 ? findWindow(argv[2], true) : nullptr;
    if (window == nullptr && argc == 3 && !texts) {
        window = findWindow(argv[2], false);
    }
    if (window == nullptr) {
        std::fputs("no such window\n", stderr);
        return EXIT_FAILURE;
    }
    if (texts) {
        EnumChildWindows(window, printText, 0);
        return EXIT_SUCCESS;
    }
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const DWORD parent = processEntry(id).th32ParentProcessID;
    printUtf8(L"program " + imageOf(id) + L"\nid " + std::to_wstring(id) + L"\nparent " +
              std::to_wstring(parent) + L" " + processEntry(parent).szExeFile);
    return EXIT_SUCCESS;
}
