// Draws the Win32 window in a few states and saves each client area as a
// BMP, which the wine test compares with the reference pictures:
//   form1_pictures.exe <folder> 96dpi | 144dpi | light-button-text
// "144dpi" expects the wine prefix set to 144 dots per inch; with
// "light-button-text" the system's button-text colour is a dark theme's
// light grey while the pictures are taken.

#include "common/scriptedrandom.h"
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#include "win32/checks.h"

#include <windows.h>

#include <cstdio>
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

struct State
{
    const char* name;
    const char* focus;
    bool nameShown;
    const char* pressed;
};

} // namespace

int main(int argc, char** argv)
{
    testing::Checks check;
    const std::string_view environment = argc == 3 ? argv[2] : "";
    check(environment == "96dpi" || environment == "144dpi" || environment == "light-button-text",
          "usage: form1_pictures.exe <folder> 96dpi | 144dpi | light-button-text");
    if (environment.empty()) {
        return check.finish();
    }
    check(ui::SystemDpi() == (environment == "144dpi" ? 144 : 96),
          "the system runs at the dots per inch the pictures are drawn at");

    const int buttonText = COLOR_BTNTEXT;
    const COLORREF systemButtonText = GetSysColor(COLOR_BTNTEXT);
    const COLORREF lightGrey = RGB(238, 238, 236);
    if (environment == "light-button-text") {
        SetSysColors(1, &buttonText, &lightGrey);
        check(GetSysColor(COLOR_BTNTEXT) == lightGrey, "the button-text colour is light grey");
    }

    // At 96 dpi every state; elsewhere the one that shows the most.
    constexpr State states[] = {
        {"name-shown", "Command1", true, nullptr},
        {"opened", "OptionMale", false, nullptr},
        {"name-box-focused", "TextName", true, nullptr},
        {"banner-focused", "Picture1", true, nullptr},
        {"dornwick-pressed", "Command2", false, "Command2"},
        {"workshop-focused", "Command4", false, nullptr},
    };
    for (const State& state : states) {
        testing::ScriptedRandom random({0.25});
        ui::Form1 form(random);
        form.Form_Load();
        form.show();
        // As after a key was pressed: the focus rectangles show.
        SendMessageW(form.handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        if (state.nameShown) {
            SendMessageW(form.control("OptionMale"), BM_CLICK, 0, 0);
            SendMessageW(form.control("Command1"), BM_CLICK, 0, 0);
        }
        HWND focus = form.control(state.focus);
        SetFocus(focus);
        if (state.focus == std::string_view("TextName")) {
            // As the Tab key brings it: the name selected, the caret (which
            // blinks) hidden.
            SendMessageW(focus, EM_SETSEL, 0, -1);
            HideCaret(focus);
        }
        if (state.pressed != nullptr) {
            SendMessageW(form.control(state.pressed), BM_SETSTATE, TRUE, 0);
        }
        ui::DeliverWaitingMessages(form.handle());
        RedrawWindow(form.handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        ui::DeliverWaitingMessages(form.handle());

        std::string file = std::string(argv[1]) + "/" + state.name;
        if (environment != "96dpi") {
            file.append("-").append(environment);
        }
        file += ".bmp";
        check(saveClientArea(form.handle(), file), "the picture is saved");
        if (environment != "96dpi") {
            break;
        }
    }

    if (environment == "light-button-text") {
        SetSysColors(1, &buttonText, &systemButtonText);
    }
    return check.finish();
}
