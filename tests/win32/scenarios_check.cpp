// The Win32 window in process, under wine. Plays every scenario of
// tests/scenarios/scenarios.h: mouse and keys go through the message loop as
// Windows delivers them, errors open the program's own message box, and the
// shell call of the program's own launcher is caught at link time. Run in a
// time zone far from UTC, it also checks that Load seeds from the local
// time; and it checks the window's frame.

#include "common/scriptedrandom.h"
#include "names/randomsource.h"
#include "scenarios/scenarios.h"
#include "ui/form1description.h"
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#include "win32/checks.h"

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace sc = scenarios;

namespace {

// The file of each call the launcher made, or "(other arguments)" where
// any other argument differs from the way every page is opened.
std::vector<std::string> shellCalls;
bool shellRefuses = false;

HINSTANCE WINAPI recordShellCall(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                 LPCSTR directory, INT showCommand)
{
    const bool asPage = owner == GetDesktopWindow() && operation != nullptr &&
                        operation == sc::OpenPage.operation && parameters == nullptr &&
                        directory != nullptr && directory == sc::OpenPage.directory &&
                        showCommand == sc::OpenPage.showCommand;
    shellCalls.emplace_back(asPage && file != nullptr ? file : "(other arguments)");
    constexpr INT_PTR handedOver = 42;
    constexpr INT_PTR fileNotFound = SE_ERR_FNF;
    return reinterpret_cast<HINSTANCE>(shellRefuses ? fileNotFound : handedOver);
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

std::string narrow(std::u16string_view text)
{
    return {text.begin(), text.end()}; // the addresses are ASCII
}

bool isChecked(HWND option)
{
    return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Texts of the error boxes that opened, each closed as soon as it showed.
std::vector<std::u16string> boxes;

BOOL CALLBACK addStaticText(HWND child, LPARAM text)
{
    wchar_t className[16] = {};
    GetClassNameW(child, className, 16);
    if (std::wstring_view(className) == L"Static") {
        *reinterpret_cast<std::u16string*>(text) += textOf(child);
    }
    return TRUE;
}

BOOL CALLBACK closeErrorBox(HWND window, LPARAM)
{
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring_view(className) == L"#32770" && IsWindowVisible(window)) {
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
    struct Stroke
    {
        WPARAM key;
        bool shift;
        bool extended;
    };
    // In the order of sc::Key.
    static constexpr std::array<Stroke, 10> strokes{{{0, false, false},
                                                     {VK_TAB, false, false},
                                                     {VK_TAB, true, false},
                                                     {VK_LEFT, false, false},
                                                     {VK_RIGHT, false, false},
                                                     {VK_UP, false, false},
                                                     {VK_DOWN, false, false},
                                                     {VK_SPACE, false, false},
                                                     {VK_RETURN, false, false},
                                                     {VK_RETURN, false, true}}};
    const Stroke& stroke = strokes.at(static_cast<std::size_t>(key));
    press(form, stroke.key, stroke.shift, stroke.extended);
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

// Windows' own local time of day, in seconds since midnight.
double localSecondsNow()
{
    SYSTEMTIME local = {};
    GetLocalTime(&local);
    return local.wHour * 3600.0 + local.wMinute * 60.0 + local.wSecond +
           local.wMilliseconds / 1000.0;
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
    const double expected =
        local.wHour * 3600.0 + local.wMinute * 60.0 + local.wSecond + local.wMilliseconds / 1000.0;
    check(names::SecondsSinceMidnight(moment) == static_cast<float>(expected),
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

class Player
{
public:
    Player(testing::Checks& check, const sc::Scenario& scenario)
        : m_check(check), m_scenario(scenario),
          m_values(scenario.draws.begin(), scenario.draws.end()), m_random(m_values)
    {
    }

    void play()
    {
        shellRefuses = m_scenario.shellRefuses;
        shellCalls.clear();
        boxes.clear();
        m_heard.clear();
        ui::Form1 form(m_random, {}, [this](HWND source, const std::wstring& text) {
            m_heard.push_back({source, text});
        });
        expect(form.nameTables().MaleNames.at(0).empty(), "the tables are empty before Load");
        form.Form_Load();
        expect(m_random.reseeds == 1 && m_random.draws == 0, "Load seeds once and draws nothing");
        expect(sc::SecondsApart(m_random.lastSeed, localSecondsNow()) < 2.0,
               "Load seeds from the local time of day");
        form.show();
        ui::DeliverWaitingMessages(form.handle());
        for (m_number = 1; const sc::Step& step : m_scenario.steps) {
            playStep(form, step);
            ++m_number;
        }
        expect(m_random.reseeds == 1, "nothing seeds again");
    }

private:
    void expect(bool condition, const std::string& what)
    {
        m_check(condition,
                (std::string(m_scenario.name) + ", step " + std::to_string(m_number) + ": " + what)
                    .c_str());
    }

    void playStep(ui::Form1& form, const sc::Step& step)
    {
        HWND nameBox = form.control("TextName");
        HWND control = step.control.empty() ? nullptr : form.control(step.control);
        const std::u16string nameBefore = textOf(nameBox);
        const std::size_t drawsBefore = m_random.draws;
        const std::size_t callsBefore = shellCalls.size();
        const std::size_t boxesBefore = boxes.size();
        const std::size_t heardBefore = m_heard.size();

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
            expect(clipboardText() == textOf(nameBox), "the name shown is copied");
            break;
        case sc::Do::FocusReportsClick:
            SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED),
                         reinterpret_cast<LPARAM>(control));
            break;
        case sc::Do::Toggle:
            expect(false, "Win32 option buttons have no toggle action");
            break;
        }

        expect(m_random.draws == drawsBefore + sc::DrawsOf(step), "drew as many names as pressed");
        std::u16string expectedName = step.name == sc::Name::Unchanged ? nameBefore : u"";
        if (sc::DrawsName(step)) {
            const int line = sc::LineOf(m_values[(m_random.draws - 1) % m_values.size()]);
            const names::NameTables& tables = form.nameTables();
            expectedName =
                (step.name == sc::Name::Male ? tables.MaleNames : tables.FemaleNames).at(line);
        }
        expect(textOf(nameBox) == expectedName,
               "the name box shows \"" + narrow(expectedName) + "\"");
        // Each new name is announced from the name box, as a notification.
        static_assert(sc::AnnouncementKind == sc::EventKind::Notification);
        const std::u16string announced = std::u16string(sc::AnnouncedBeforeName) + expectedName;
        const std::size_t names = sc::DrawsName(step) ? sc::DrawsOf(step) : 0;
        expect(m_heard.size() == heardBefore + names &&
                   (names == 0 ||
                    (m_heard.back().source == nameBox &&
                     m_heard.back().text == std::wstring(announced.begin(), announced.end()))),
               "each new name is announced as \"" + narrow(announced) + "\"");

        if (step.chosen != sc::Gender::Unchecked) {
            expect(isChecked(form.control("OptionMale")) == (step.chosen == sc::Gender::Male) &&
                       isChecked(form.control("OptionFemale")) ==
                           (step.chosen == sc::Gender::Female),
                   "the chosen gender");
        }
        if (!step.focus.empty()) {
            expect(GetFocus() == form.control(step.focus),
                   "the focus is on " + std::string(step.focus));
        }

        expect(shellCalls.size() == callsBefore + sc::PagesOf(step),
               "the shell was asked for each page");
        for (std::size_t call = callsBefore; call < shellCalls.size(); ++call) {
            expect(shellCalls[call] == narrow(sc::AddressOf(step.opened)),
                   "the shell is asked to open the page, not " + shellCalls[call]);
        }

        const std::size_t expectedBoxes = step.errorBox.empty() ? 0 : 1;
        expect(boxes.size() == boxesBefore + expectedBoxes, "each error opens a box of its own");
        expect(step.errorBox.empty() || (boxes.size() > boxesBefore &&
                                         boxes.back().find(step.errorBox) != std::u16string::npos),
               "the box says what went wrong");
        expect(IsWindowVisible(form.handle()) != 0, "the window lives on");
    }

    testing::Checks& m_check;
    const sc::Scenario& m_scenario;
    std::vector<double> m_values;
    testing::ScriptedRandom m_random;
    struct Announcement
    {
        HWND source;
        std::wstring text;
    };
    std::vector<Announcement> m_heard;
    int m_number = 0;
};

} // namespace

int main()
{
    testing::Checks check;
    checkFrame(check);
    checkClock(check);
    SetTimer(nullptr, 0, 20, closeErrorBoxes);
    for (const sc::Scenario& scenario : sc::Scenarios) {
        if (sc::RunsOn(scenario, sc::Engine::Win32)) {
            Player(check, scenario).play();
        }
    }
    return check.finish();
}
