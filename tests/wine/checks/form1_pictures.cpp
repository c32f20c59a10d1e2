// Draws the Win32 window in the states of tests/pictures/states.h and saves
// each client area as <folder>/<picture>.bmp, which the wine test compares
// with the reference pictures:
//   form1_pictures.exe <folder> 96dpi | 144dpi
// At 144 dpi the wine prefix must be set so. A dark theme is the system's
// button-text colour turned light grey.

#include "common/scriptedrandom.h"
#include "pictures/states.h"
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#include "wine/checks/checks.h"
#include "wine/checks/inprocess.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The client area of window as a 32-bit bottom-up BMP.
bool saveClientArea(HWND window, const std::string& file)
{
    RECT client = {};
    GetClientRect(window, &client);
    BITMAPINFOHEADER header = {
        sizeof header, client.right, client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::string pixels(static_cast<std::size_t>(4 * client.right * client.bottom), '\0');

    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    const int rows = GetDIBits(memory, bitmap, 0, static_cast<UINT>(client.bottom), pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);

    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER fileHeader = {0x4D42 /* "BM" */,
                                         static_cast<DWORD>(offset + pixels.size()), 0, 0, offset};
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr || rows != client.bottom) {
        return false;
    }
    std::fwrite(&fileHeader, sizeof(fileHeader), 1, out);
    std::fwrite(&header, sizeof(header), 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    return std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    testing::Checks check;
    const std::string_view environment = argc == 3 ? argv[2] : "";
    const bool known = environment == "96dpi" || environment == "144dpi";
    check(known, "usage: form1_pictures.exe <folder> 96dpi | 144dpi");
    if (!known) {
        return check.finish();
    }

    // One window goes through every state: each window closed costs wine a
    // wait for the window manager.
    testing::ScriptedRandom random({0.25});
    ui::Form1 form({.random = random});
    check(ui::WindowDpi(form.handle()) == (environment == "144dpi" ? 144 : 96),
          "the window runs at the dots per inch the pictures are drawn at");
    form.Load();
    form.show();
    // As after a key was pressed: the focus rectangles show.
    SendMessageW(form.handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    const int buttonText = COLOR_BTNTEXT;
    const COLORREF systemButtonText = GetSysColor(COLOR_BTNTEXT);
    bool nameShown = false;
    for (const pictures::State& state : pictures::States) {
        const std::string name = pictures::PictureName(state, environment);
        if (name.empty()) {
            continue;
        }
        if (state.nameShown && !nameShown) {
            SendMessageW(form.control(ui::description::OptionMale), BM_CLICK, 0, 0);
            SendMessageW(form.control(ui::description::Command1), BM_CLICK, 0, 0);
            nameShown = true;
        }
        // A dark theme's light grey for button captions, which would vanish
        // on the white faces.
        const COLORREF captions = state.darkTheme ? RGB(238, 238, 236) : systemButtonText;
        SetSysColors(1, &buttonText, &captions);
        HWND focus = form.control(testing::ControlNamed(state.focus));
        SetFocus(focus);
        if (state.focus == "TextName") {
            // As the Tab key brings it: the name selected; the caret, which blinks, hidden.
            SendMessageW(focus, EM_SETSEL, 0, -1);
            HideCaret(focus);
        }
        SendMessageW(focus, BM_SETSTATE, state.pressed, 0);
        testing::DeliverWaitingMessages(form.handle());
        RedrawWindow(form.handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        testing::DeliverWaitingMessages(form.handle());
        check(saveClientArea(form.handle(), std::string(argv[1]) + "/" + name + ".bmp"),
              name.c_str());
        SendMessageW(focus, BM_SETSTATE, FALSE, 0);
    }
    SetSysColors(1, &buttonText, &systemButtonText);
    // Ends without closing the window: wine would wait for a window manager
    // to see it go.
    std::exit(check.finish());
}
