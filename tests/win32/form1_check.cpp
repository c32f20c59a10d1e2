// The Win32 window in process, under wine: what the whole-program test
// cannot see from outside. The frame and its place, the keyboard (tab order,
// arrows in the gender group, Space and Enter), the read-only name box, and
// a failing handler that is reported while the window lives on.

#include "common/scriptedrandom.h"
#include "ui/form1description.h"
#include "ui/win32/form1.h"
#include "ui/win32/resources.h"
#include "ui/win32/windowengine.h"
#include "win32/checks.h"

#include <windows.h>

#include <array>
#include <string>
#include <vector>

namespace {

namespace layout = ui::description;

std::u16string textOf(HWND control)
{
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    return reinterpret_cast<const char16_t*>(text);
}

bool isChecked(HWND option)
{
    return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Types key on the control that has the focus, through the message loop's
// own delivery; Shift is held for GetKeyState as the dialog manager reads it.
void press(const ui::Form1& form, WPARAM key, bool shift = false)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
    ui::DeliverWaitingMessages(form.handle());
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

COLORREF pixelOf(const ui::Picture& picture, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, picture.handle());
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return colour;
}

std::u16string clipboardText()
{
    std::u16string text;
    if (OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
            text = static_cast<const char16_t*>(GlobalLock(data));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

} // namespace

int main()
{
    testing::Checks check;
    std::vector<std::wstring> reports;
    ui::SetErrorReporter([&reports](const std::wstring& message) { reports.push_back(message); });

    // The third draw is out of range: that generate must fail.
    testing::ScriptedRandom random({0.25, 0.5, 1.0, 0.0});
    ui::Form1 form(random);
    form.Form_Load();
    form.show();
    ui::DeliverWaitingMessages(form.handle());
    const auto control = [&form](const char* name) { return form.control(name); };
    HWND male = control("OptionMale");
    HWND female = control("OptionFemale");
    HWND nameBox = control("TextName");
    const auto maleEntry = [&form](int index) { return form.nameTables().MaleNames.at(index); };

    // The frame: fixed border, close box and system menu only, centred on the work area.
    const LONG_PTR style = GetWindowLongPtrW(form.handle(), GWL_STYLE);
    check((style & (WS_CAPTION | WS_SYSMENU)) == (WS_CAPTION | WS_SYSMENU),
          "the window has a caption and a system menu");
    check((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0,
          "the window has no minimise or maximise box and cannot be sized");
    RECT frame = {};
    RECT work = {};
    GetWindowRect(form.handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    check(std::abs((frame.left + frame.right) - (work.left + work.right)) <= 2 &&
              std::abs((frame.top + frame.bottom) - (work.top + work.bottom)) <= 2,
          "the window is centred on the work area");
    check(GetClassLongPtrW(form.handle(), GCLP_HICON) != 0 &&
              GetClassLongPtrW(form.handle(), GCLP_HICONSM) != 0,
          "the window has its icon in both sizes");

    check(GetFocus() == male, "the focus starts on Male");
    check(!isChecked(male) && !isChecked(female), "no gender is chosen at start");
    check(textOf(nameBox).empty(), "the name box is empty at start");

    // With no gender chosen, Tab walks the whole focus chain round and back.
    const auto chain = layout::FocusChain();
    bool tabFollowsChain = true;
    for (std::size_t step = 1; step <= chain.size(); ++step) {
        press(form, VK_TAB);
        tabFollowsChain =
            tabFollowsChain && GetFocus() == control(chain[step % chain.size()].name.data());
    }
    check(tabFollowsChain, "Tab follows the tab order round to Male");
    bool shiftTabGoesBack = true;
    for (std::size_t step = 1; step <= chain.size(); ++step) {
        press(form, VK_TAB, true);
        shiftTabGoesBack =
            shiftTabGoesBack && GetFocus() == control(chain[chain.size() - step].name.data());
    }
    check(shiftTabGoesBack, "Shift+Tab goes the other way round");
    check(!isChecked(male) && !isChecked(female), "the focus alone chooses no gender");

    press(form, VK_RIGHT);
    check(GetFocus() == female && isChecked(female) && !isChecked(male),
          "the right arrow chooses Female");
    press(form, VK_LEFT);
    check(GetFocus() == male && isChecked(male) && !isChecked(female),
          "the left arrow chooses Male");

    // As in every Windows dialog, Tab enters an option group at its chosen button.
    press(form, VK_TAB);
    check(GetFocus() == nameBox && !isChecked(female), "with Male chosen, Tab passes Female by");

    press(form, VK_TAB);
    press(form, VK_SPACE);
    check(textOf(nameBox) == maleEntry(250), "Space on Generate Name shows a male name");
    press(form, VK_RETURN);
    check(textOf(nameBox) == maleEntry(500), "Enter on Generate Name shows the next one");

    for (const char* elsewhere : {"TextName", "OptionFemale", "Picture1"}) {
        SetFocus(control(elsewhere));
        press(form, VK_RETURN);
    }
    check(textOf(nameBox) == maleEntry(500) && random.draws == 2 && isChecked(male) &&
              !isChecked(female) && reports.empty(),
          "Enter on the name box, on Female or on the banner does nothing");

    // Windows' own option buttons (unlike wine's) report a click when they
    // merely receive the focus; that must not count as choosing.
    SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(female), BN_CLICKED),
                 reinterpret_cast<LPARAM>(female));
    check(textOf(nameBox) == maleEntry(500),
          "a click report from an unchosen option changes nothing");

    SetFocus(nameBox);
    PostMessageW(nameBox, WM_CHAR, L'x', 1);
    press(form, VK_BACK);
    press(form, VK_DELETE);
    check(textOf(nameBox) == maleEntry(500), "typing into the name box changes nothing");
    SendMessageW(nameBox, EM_SETSEL, 0, -1);
    SendMessageW(nameBox, WM_COPY, 0, 0);
    check(clipboardText() == maleEntry(500), "the name can be copied");

    SetFocus(control("Command1"));
    press(form, VK_SPACE);
    check(reports.size() == 1 && reports.front().find(L"out of range") != std::wstring::npos,
          "a generate that fails is reported once");
    check(textOf(nameBox) == maleEntry(500) && IsWindowVisible(form.handle()),
          "the window keeps its state after the error");
    press(form, VK_SPACE);
    check(textOf(nameBox) == maleEntry(0) && reports.size() == 1,
          "the window goes on working after the error");

    SetFocus(male);
    press(form, VK_RIGHT);
    check(isChecked(female) && textOf(nameBox).empty(),
          "choosing Female with an arrow key empties the name box");

    // The banner keeps its place beside a layout scaled for the screen's dpi.
    for (const auto [dpi, width, height] : {std::array{96, 125, 119}, std::array{144, 188, 179}}) {
        const ui::Picture banner = ui::LoadBitmapResource(VELMORA_BANNER, dpi);
        const COLORREF navy = RGB(0, 0, 128);
        check(banner.size().cx == width && banner.size().cy == height &&
                  pixelOf(banner, 0, 0) == navy && pixelOf(banner, width - 1, height - 1) == navy,
              "the banner takes its size times dpi / 96, its navy ground kept");
    }
    return check.finish();
}
