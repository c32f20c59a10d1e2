// The Win32 window in process, under wine. Plays every scenario of
// tests/scenarios/scenarios.h: mouse and keys go through the message loop as
// Windows delivers them, errors open the program's own message box, and the
// shell call of the program's own launcher is caught at link time. Run in a
// time zone far from UTC, it also checks that Load seeds from the local
// time; and it checks each window's frame.

#include "common/scriptedrandom.h"
#include "names/randomsource.h"
#include "scenarios/scenarios.h"
#include "scenarios/stepcheck.h"
#include "ui/form1description.h"
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#include "wine/checks/checks.h"
#include "wine/checks/inprocess.h"

#include <windows.h>

#include <shellapi.h>
#include <windowsx.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace sc = scenarios;

namespace {

// The file of each call the launcher made in the step, or "(other
// arguments)" where any other argument differs from the way every page is opened.
std::vector<std::u16string> shellCalls;
bool shellRefuses = false;

HINSTANCE WINAPI recordShellCall(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                 LPCSTR directory, INT showCommand)
{
    const bool asPage = owner == GetDesktopWindow() && operation != nullptr &&
                        operation == sc::OpenPage.operation && parameters == nullptr &&
                        directory != nullptr && directory == sc::OpenPage.directory &&
                        showCommand == sc::OpenPage.showCommand;
    const std::string_view called = asPage && file != nullptr ? file : "(other arguments)";
    shellCalls.emplace_back(called.begin(), called.end());
    // Refused as a file not found, or handed over: any value above 32.
    return reinterpret_cast<HINSTANCE>(INT_PTR{shellRefuses ? SE_ERR_FNF : 42});
}

std::u16string textOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return reinterpret_cast<const char16_t*>(text);
}

// Texts of the error boxes that opened since the last look, each closed as
// soon as it showed: a box's text is its static controls' together.
std::vector<std::u16string> boxes;

bool isOfClass(HWND window, std::wstring_view name)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return className == name;
}

BOOL CALLBACK addStaticText(HWND child, LPARAM)
{
    boxes.back() += isOfClass(child, L"Static") ? textOf(child) : u"";
    return TRUE;
}

BOOL CALLBACK closeErrorBox(HWND window, LPARAM)
{
    if (isOfClass(window, L"#32770") && IsWindowVisible(window)) {
        boxes.emplace_back();
        EnumChildWindows(window, addStaticText, 0);
        EndDialog(window, IDOK);
    }
    return TRUE;
}

// Key on the control that has the focus, through the message loop's own
// delivery; Shift is held for GetKeyState as the dialog manager reads it.
void press(const ui::Form1& form, WPARAM key, bool shift = false, bool extended = false)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    const LPARAM flags = extended ? 1 << 24 : 0; // keypad Enter is Return on the extended keys
    PostMessageW(GetFocus(), WM_KEYDOWN, key, 1 | flags);
    PostMessageW(GetFocus(), WM_KEYUP, key, static_cast<LPARAM>(0xC0000001) | flags);
    testing::DeliverWaitingMessages(form.handle());
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// The virtual keys of sc::Key, in its order; Shift and the keypad are press's own flags.
constexpr std::array<WPARAM, 10> VirtualKeys{0,     VK_TAB,  VK_TAB,   VK_LEFT,   VK_RIGHT,
                                             VK_UP, VK_DOWN, VK_SPACE, VK_RETURN, VK_RETURN};

// A Windows time of day, in seconds since midnight.
double secondsOf(const SYSTEMTIME& time)
{
    return time.wHour * 3600.0 + time.wMinute * 60.0 + time.wSecond + time.wMilliseconds / 1000.0;
}

// The program's clock against Windows' own time zone, at a fixed moment.
void checkClock(testing::Checks& check)
{
    TIME_ZONE_INFORMATION zone = {};
    GetTimeZoneInformation(&zone);
    check(zone.Bias != 0, "the checks run in a time zone other than UTC (set TZ)");

    using namespace std::chrono;
    const auto moment = sys_days{2024y / March / 1} + 12h + 34min + 56s + 750ms;
    const SYSTEMTIME utc = {2024, 3, 5, 1, 12, 34, 56, 750};
    SYSTEMTIME local = {};
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    check(names::SecondsSinceMidnight(moment) == static_cast<float>(secondsOf(local)),
          "the time of day is the local one");
}

// The frame of a window shown, which the whole-program test cannot see
// from outside: fixed border, close box and system menu only, centred on
// the work area, with its icon in both sizes.
void checkFrame(testing::Checks& check, const ui::Form1& form)
{
    const LONG_PTR style = GetWindowLongPtrW(form.handle(), GWL_STYLE);
    check((style & (WS_CAPTION | WS_SYSMENU)) == (WS_CAPTION | WS_SYSMENU),
          "the window has a caption and a system menu");
    check((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0,
          "the window has no minimise or maximise box and cannot be sized");
    RECT frame = {}, work = {};
    GetWindowRect(form.handle(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    check(std::abs((frame.left + frame.right) - (work.left + work.right)) <= 2 &&
              std::abs((frame.top + frame.bottom) - (work.top + work.bottom)) <= 2,
          "the window is centred on the work area");
    check(GetClassLongPtrW(form.handle(), GCLP_HICON) != 0 &&
              GetClassLongPtrW(form.handle(), GCLP_HICONSM) != 0,
          "the window has its icon in both sizes");
}

void play(testing::Checks& check, const sc::Scenario& scenario)
{
    shellRefuses = scenario.shellRefuses;
    testing::ScriptedRandom random({scenario.draws.begin(), scenario.draws.end()});
    std::vector<std::u16string> heard;
    ui::Form1 form({.random = random}, [&](HWND source, const std::wstring& text) {
        heard.push_back(source == form.control(ui::description::TextName)
                            ? std::u16string(text.begin(), text.end())
                            : u"(not from the name box)");
    });
    form.Load();
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    const std::string wrongLoad = sc::Joined(sc::CheckLoad(random, secondsOf(now)));
    check(wrongLoad.empty(), wrongLoad.c_str());
    form.show();
    testing::DeliverWaitingMessages(form.handle());
    checkFrame(check, form);

    const auto act = [&](const sc::Step& step, std::u16string& copied) {
        HWND control =
            step.control.empty() ? nullptr : form.control(testing::ControlNamed(step.control));
        switch (step.action) {
        // The mouse down and up on control's middle, and for a double click a
        // second down that Windows reports as a double click.
        case sc::Do::Click:
        case sc::Do::DoubleClick: {
            RECT area = {};
            GetClientRect(control, &area);
            const LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
            const int downs = step.action == sc::Do::DoubleClick ? 2 : 1;
            for (int down = 0; down < downs; ++down) {
                PostMessageW(control, down ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, middle);
                PostMessageW(control, WM_LBUTTONUP, 0, middle);
            }
            testing::DeliverWaitingMessages(form.handle());
            break;
        }
        case sc::Do::Press:
            press(form, VirtualKeys.at(static_cast<std::size_t>(step.key)),
                  step.key == sc::Key::ShiftTab, step.key == sc::Key::KeypadEnter);
            break;
        case sc::Do::Focus:
            SetFocus(control);
            break;
        case sc::Do::LeaveAndReturn: { // to a window of its own, then back
            HWND elsewhere =
                CreateWindowExW(0, L"STATIC", L"elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            for (HWND active : {elsewhere, form.handle()}) {
                SetActiveWindow(active);
                testing::DeliverWaitingMessages(form.handle());
            }
            DestroyWindow(elsewhere);
            testing::DeliverWaitingMessages(form.handle());
            break;
        }
        case sc::Do::Type:
            PostMessageW(GetFocus(), WM_CHAR, L'x', 1);
            press(form, VK_BACK);
            press(form, VK_DELETE);
            SendMessageW(GetFocus(), WM_CUT, 0, 0);
            SendMessageW(GetFocus(), WM_PASTE, 0, 0);
            break;
        case sc::Do::Copy:
            SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
            SendMessageW(GetFocus(), WM_COPY, 0, 0);
            if (OpenClipboard(nullptr)) {
                HANDLE data = GetClipboardData(CF_UNICODETEXT);
                copied = data ? static_cast<const char16_t*>(GlobalLock(data)) : u"";
                GlobalUnlock(data);
                CloseClipboard();
            }
            break;
        case sc::Do::FocusReportsClick:
            SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                         reinterpret_cast<LPARAM>(control));
            break;
        case sc::Do::Look: // PlaySteps acts on no Look step
        case sc::Do::Toggle:
            check(false, "Win32 option buttons have no toggle action");
            break;
        }
    };
    const auto look = [&](sc::Observation& seen) {
        seen.nameAfter = textOf(form.control(ui::description::TextName));
        seen.drawsAfter = random.draws;
        seen.reseeds = random.reseeds;
        seen.heard = std::exchange(heard, {});
        seen.maleChosen = Button_GetCheck(form.control(ui::description::OptionMale)) == BST_CHECKED;
        seen.femaleChosen =
            Button_GetCheck(form.control(ui::description::OptionFemale)) == BST_CHECKED;
        for (const ui::description::Control& described : ui::description::Controls) {
            if (form.control(described.id) == GetFocus()) {
                seen.focus = described.name;
            }
        }
        seen.pages = std::exchange(shellCalls, {});
        seen.boxes = std::exchange(boxes, {});
        seen.windowShown = IsWindowVisible(form.handle()) != 0;
    };
    const std::string wrong = sc::PlaySteps(scenario, act, look);
    check(wrong.empty(), wrong.c_str());
}

} // namespace

// The launcher calls ShellExecuteA through this import slot; defined here,
// it takes the place of shell32's, so no page ever reaches a real shell.
extern "C" {
// NOLINTNEXTLINE(bugprone-reserved-identifier): the import slot's own name
decltype(&ShellExecuteA) __imp_ShellExecuteA = recordShellCall;
}

int main()
{
    testing::Checks check;
    checkClock(check);
    // An error's own text, in the system's code page as the runtime gives it,
    // reaches the box unchanged.
    check(GetACP() == 1252 && ui::engine::FromSystemCodePage("caf\xE9 \x80") == u"café €",
          "an error's text in the Western code page reads as it was written");
    // A box runs a message loop of its own, which delivers this timer too.
    SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), closeErrorBox, 0);
    });
    for (const sc::Scenario& scenario : sc::Scenarios) {
        if (sc::RunsOn(scenario, sc::Engine::Win32)) {
            play(check, scenario);
        }
    }
    return check.finish();
}
