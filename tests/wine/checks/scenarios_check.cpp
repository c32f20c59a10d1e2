// The Win32 window in process, under wine. Plays every scenario of
// tests/scenarios/scenarios.h: mouse and keys go through the message loop as
// Windows delivers them, errors open the program's own message box, and the
// shell call of the program's own launcher is caught at link time. Run in a
// time zone far from UTC, it also checks that Load seeds from the local
// time; and it checks the window's frame.

#include "common/scriptedrandom.h"
#include "names/randomsource.h"
#include "scenarios/scenarios.h"
#include "scenarios/stepcheck.h"
#include "ui/form1description.h"
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#include "wine/checks/checks.h"

#include <windows.h>

#include <shellapi.h>
#include <windowsx.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <string>
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
    constexpr INT_PTR handedOver = 42; // any value above 32
    return reinterpret_cast<HINSTANCE>(shellRefuses ? INT_PTR{SE_ERR_FNF} : handedOver);
}

} // namespace

// The launcher calls ShellExecuteA through this import slot; defined here,
// it takes the place of shell32's, so no page ever reaches a real shell.
extern "C" {
// NOLINTNEXTLINE(bugprone-reserved-identifier): the import slot's own name
decltype(&ShellExecuteA) __imp_ShellExecuteA = recordShellCall;
}

namespace {

std::u16string textOf(HWND window)
{
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return reinterpret_cast<const char16_t*>(text);
}

// Texts of the error boxes that opened in the step, each closed as soon as it showed.
std::vector<std::u16string> boxes;

bool isOfClass(HWND window, std::wstring_view name)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    return className == name;
}

BOOL CALLBACK addStaticText(HWND child, LPARAM text)
{
    if (isOfClass(child, L"Static")) {
        *reinterpret_cast<std::u16string*>(text) += textOf(child);
    }
    return TRUE;
}

BOOL CALLBACK closeErrorBox(HWND window, LPARAM)
{
    if (isOfClass(window, L"#32770") && IsWindowVisible(window)) {
        std::u16string text;
        EnumChildWindows(window, addStaticText, reinterpret_cast<LPARAM>(&text));
        boxes.push_back(text);
        EndDialog(window, IDOK);
    }
    return TRUE;
}

// A box runs a message loop of its own, which delivers this timer too.
void CALLBACK closeErrorBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), closeErrorBox, 0);
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
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1 | flags);
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001) | flags);
    ui::DeliverWaitingMessages(form.handle());
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

void press(const ui::Form1& form, sc::Key key)
{
    // In the order of sc::Key.
    static constexpr std::array<WPARAM, 10> keys{0,     VK_TAB,  VK_TAB,   VK_LEFT,   VK_RIGHT,
                                                 VK_UP, VK_DOWN, VK_SPACE, VK_RETURN, VK_RETURN};
    press(form, keys.at(static_cast<std::size_t>(key)), key == sc::Key::ShiftTab,
          key == sc::Key::KeypadEnter);
}

// The mouse on control's middle: down and up, and for a double click a
// second down that Windows reports as a double click.
void click(const ui::Form1& form, HWND control, bool twice)
{
    RECT area = {};
    GetClientRect(control, &area);
    const LPARAM middle = MAKELPARAM(area.right / 2, area.bottom / 2);
    PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    PostMessageW(control, WM_LBUTTONUP, 0, middle);
    if (twice) {
        PostMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, middle);
        PostMessageW(control, WM_LBUTTONUP, 0, middle);
    }
    ui::DeliverWaitingMessages(form.handle());
}

void leaveAndReturn(const ui::Form1& form)
{
    HWND elsewhere = CreateWindowExW(0, L"STATIC", L"elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 50,
                                     50, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(elsewhere);
    ui::DeliverWaitingMessages(form.handle());
    SetActiveWindow(form.handle());
    ui::DeliverWaitingMessages(form.handle());
    DestroyWindow(elsewhere);
    ui::DeliverWaitingMessages(form.handle());
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

// The frame, which the whole-program test cannot see from outside: fixed
// border, close box and system menu only, centred on the work area, with
// its icon in both sizes.
void checkFrame(testing::Checks& check)
{
    testing::ScriptedRandom random;
    ui::Form1 form(random);
    form.Form_Load();
    form.show();
    ui::DeliverWaitingMessages(form.handle());
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
}

void play(testing::Checks& check, const sc::Scenario& scenario)
{
    shellRefuses = scenario.shellRefuses;
    testing::ScriptedRandom random(
        std::vector<double>(scenario.draws.begin(), scenario.draws.end()));
    std::vector<std::u16string> heard;
    ui::Form1 form(random, {}, [&](HWND source, const std::wstring& text) {
        heard.push_back(source == form.control("TextName")
                            ? std::u16string(text.begin(), text.end())
                            : u"(not from the name box)");
    });
    const auto report = [&check](const std::vector<std::string>& wrong) {
        check(wrong.empty(), sc::Joined(wrong).c_str());
    };
    check(form.nameTables().MaleNames.at(0).empty(), "the tables are empty before Load");
    form.Form_Load();
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    report(sc::CheckLoad(random, secondsOf(now)));
    form.show();
    ui::DeliverWaitingMessages(form.handle());

    HWND nameBox = form.control("TextName");
    for (std::size_t number = 1; number <= scenario.steps.size(); ++number) {
        const sc::Step& step = scenario.steps[number - 1];
        HWND control = step.control.empty() ? nullptr : form.control(step.control);
        sc::Observation seen;
        seen.nameBefore = textOf(nameBox);
        seen.drawsBefore = random.draws;
        shellCalls.clear();
        boxes.clear();
        heard.clear();

        switch (step.action) {
        case sc::Do::Look:
            break;
        case sc::Do::Click:
        case sc::Do::DoubleClick:
            click(form, control, step.action == sc::Do::DoubleClick);
            break;
        case sc::Do::Press:
            press(form, step.key);
            break;
        case sc::Do::Focus:
            SetFocus(control);
            break;
        case sc::Do::LeaveAndReturn:
            leaveAndReturn(form);
            break;
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
            seen.copied = clipboardText();
            break;
        case sc::Do::FocusReportsClick:
            SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                         reinterpret_cast<LPARAM>(control));
            break;
        case sc::Do::Toggle:
            check(false, "Win32 option buttons have no toggle action");
            break;
        }

        seen.nameAfter = textOf(nameBox);
        seen.drawsAfter = random.draws;
        seen.reseeds = random.reseeds;
        seen.heard = heard;
        seen.maleChosen = Button_GetCheck(form.control("OptionMale")) == BST_CHECKED;
        seen.femaleChosen = Button_GetCheck(form.control("OptionFemale")) == BST_CHECKED;
        for (const ui::description::Control& described : ui::description::Controls) {
            if (form.control(described.name) == GetFocus()) {
                seen.focus = described.name;
            }
        }
        seen.pages = shellCalls;
        seen.boxes = boxes;
        seen.windowShown = IsWindowVisible(form.handle()) != 0;
        report(sc::CheckStep(scenario, number, seen));
    }
}

} // namespace

int main()
{
    testing::Checks check;
    checkFrame(check);
    checkClock(check);
    // An error's own text, in the system's code page as the runtime gives it,
    // reaches the box unchanged.
    check(GetACP() == 1252 && ui::engine::FromSystemCodePage("caf\xE9 \x80") == u"café €",
          "an error's text in the Western code page reads as it was written");
    SetTimer(nullptr, 0, 20, closeErrorBoxes);
    for (const sc::Scenario& scenario : sc::Scenarios) {
        if (sc::RunsOn(scenario, sc::Engine::Win32)) {
            play(check, scenario);
        }
    }
    return check.finish();
}
