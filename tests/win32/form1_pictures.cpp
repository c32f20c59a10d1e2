// Draws the Win32 window in a few states and saves each client area as a
// BMP, which the wine test compares with the reference pictures:
//   form1_pictures.exe <folder> 96dpi | 144dpi
// At 96 dpi every state, the last one with a dark theme's light system
// button-text colour; at 144 dpi (the wine prefix set so) the one that
// shows the most.

#include "common/scriptedrandom.h"
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#include "win32/checks.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// The client area of window as a 24-bit bottom-up BMP.
bool saveClientArea(HWND window, const std::string& file)
{
    RECT client = {};
    GetClientRect(window, &client);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = client.right;
    header.biHeight = client.bottom;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (client.right * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride * client.bottom), '\0');

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

    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42; // "BM"
    fileHeader.bfOffBits = sizeof(fileHeader) + sizeof(header);
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + pixels.size());
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr || rows != client.bottom) {
        return false;
    }
    std::fwrite(&fileHeader, sizeof(fileHeader), 1, out);
    std::fwrite(&header, sizeof(header), 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    return std::fclose(out) == 0;
}

// Saves the window's client area as <folder>/<name><suffix>.bmp.
struct Camera
{
    HWND window;
    std::string folder;
    std::string suffix;
    testing::Checks& check;

    void take(const char* name)
    {
        ui::DeliverWaitingMessages(window);
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui::DeliverWaitingMessages(window);
        check(saveClientArea(window, folder + "/" + name + suffix + ".bmp"), name);
    }
};

// Ends the program, leaving the window to the system: closing it first
// would make wine wait for a window manager to see it go.
[[noreturn]] void finish(const testing::Checks& check)
{
    std::exit(check.finish());
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
    const bool scaled = environment == "144dpi";

    // One window goes through every state: each window closed costs wine a
    // wait for the window manager.
    testing::ScriptedRandom random({0.25});
    ui::Form1 form(random);
    check(ui::WindowDpi(form.handle()) == (scaled ? 144 : 96),
          "the window runs at the dots per inch the pictures are drawn at");
    form.Form_Load();
    form.show();
    // As after a key was pressed: the focus rectangles show.
    SendMessageW(form.handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    Camera camera{form.handle(), argv[1], scaled ? "-144dpi" : "", check};
    const auto focus = [&form](const char* name) {
        SetFocus(form.control(name));
        return form.control(name);
    };

    if (!scaled) {
        camera.take("opened");
        focus("Command4");
        camera.take("workshop-focused");
        HWND dornwick = focus("Command2");
        SendMessageW(dornwick, BM_SETSTATE, TRUE, 0);
        camera.take("dornwick-pressed");
        SendMessageW(dornwick, BM_SETSTATE, FALSE, 0);
    }
    SendMessageW(form.control("OptionMale"), BM_CLICK, 0, 0);
    SendMessageW(form.control("Command1"), BM_CLICK, 0, 0);
    camera.take("name-shown");
    if (scaled) {
        finish(check);
    }
    // As the Tab key brings it: the name selected; the caret, which blinks, hidden.
    HWND nameBox = focus("TextName");
    SendMessageW(nameBox, EM_SETSEL, 0, -1);
    HideCaret(nameBox);
    camera.take("name-box-focused");
    focus("Picture1");
    camera.take("banner-focused");

    // A dark theme's light grey for button captions, which would vanish on
    // the white faces.
    const int buttonText = COLOR_BTNTEXT;
    const COLORREF systemButtonText = GetSysColor(COLOR_BTNTEXT);
    const COLORREF lightGrey = RGB(238, 238, 236);
    SetSysColors(1, &buttonText, &lightGrey);
    check(GetSysColor(COLOR_BTNTEXT) == lightGrey, "the button-text colour is light grey");
    focus("Command1");
    camera.take("name-shown-light-button-text");
    SetSysColors(1, &buttonText, &systemButtonText);
    finish(check);
}
