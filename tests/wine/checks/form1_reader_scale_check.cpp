// The Win32 window in process, under wine, for what Windows asks of it
// beyond its looks: each new name announced to screen readers, names for
// the name box and the banner (through stand-ins for what wine lacks), no
// COM before the window shows, and a new layout when the monitor's scale
// changes.
//   form1_reader_scale_check             the checks
//   form1_reader_scale_check layout      prints the layout at the start scale
//   form1_reader_scale_check layout 144  the same after a change to 144 dpi

#include "ui/form1description.h"
#include "ui/win32/appearance.h"
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#include "wine/checks/annotationrecorder.h"
#include "wine/checks/checks.h"
#include "wine/checks/inprocess.h"
#include "wine/checks/notificationrecorder.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace layout = ui::description;

constexpr CLSID AnnotationService = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};

// Every control's place in the client area and font height, and the client
// area's size: one line each.
std::string layoutOf(const ui::Form1& form)
{
    std::string lines;
    char line[128];
    for (const layout::Control& control : layout::Controls) {
        HWND child = form.control(control.id);
        RECT place;
        GetWindowRect(child, &place);
        MapWindowPoints(nullptr, form.handle(), reinterpret_cast<POINT*>(&place), 2);
        LOGFONTW font = {};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        std::snprintf(line, sizeof line, "%s %ld %ld %ld %ld font %ld\n", control.name.data(),
                      place.left, place.top, place.right, place.bottom, font.lfHeight);
        lines += line;
    }
    RECT client;
    GetClientRect(form.handle(), &client);
    std::snprintf(line, sizeof line, "client %ld %ld\n", client.right, client.bottom);
    return lines + line;
}

// The window's controls in the order of its windows, which is the tab order.
std::vector<HWND> windowOrder(const ui::Form1& form)
{
    std::vector<HWND> order;
    for (HWND child = GetWindow(form.handle(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        order.push_back(child);
    }
    return order;
}

// Tells form that its monitor's scale is now dpi, with the frame Windows
// would suggest, as on a move to another monitor: another place, sized for
// the new client area. Returns that frame.
RECT changeScale(const ui::Form1& form, int dpi)
{
    RECT frame = {0, 0, MulDiv(layout::ClientArea.width, dpi, layout::TwipsPerInch),
                  MulDiv(layout::ClientArea.height, dpi, layout::TwipsPerInch)};
    AdjustWindowRectEx(&frame, GetWindowLongW(form.handle(), GWL_STYLE), FALSE,
                       GetWindowLongW(form.handle(), GWL_EXSTYLE));
    RECT now;
    GetWindowRect(form.handle(), &now);
    OffsetRect(&frame, now.left - frame.left + 37, now.top - frame.top + 23);
    SendMessageW(form.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&frame));
    return frame;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1) {
        ui::Form1 form;
        if (argc > 2) {
            changeScale(form, std::atoi(argv[2]));
        }
        std::fputs(layoutOf(form).c_str(), stdout);
        return EXIT_SUCCESS;
    }
    testing::Checks check;
    const testing::NotificationRecorder notifications;
    ui::Form1 form;
    form.Load();
    APTTYPE apartment;
    APTTYPEQUALIFIER qualifier;
    check(CoGetApartmentType(&apartment, &qualifier) == CO_E_NOTINITIALIZED,
          "the window is made and loaded without COM");
    form.show();
    testing::DeliverWaitingMessages(form.handle());
    HWND nameBox = form.control(ui::description::TextName);

    // Each new name is announced from the name box, the newest replacing any
    // not yet read out, on the window's thread; the provider is let go.
    SendMessageW(form.control(ui::description::OptionMale), BM_CLICK, 0, 0);
    SendMessageW(form.control(ui::description::Command1), BM_CLICK, 0, 0);
    wchar_t name[64] = {};
    GetWindowTextW(nameBox, name, 64);
    const std::vector<testing::Notification>& heard = testing::NotificationRecorder::heard;
    check(heard.size() == 1 && heard[0].source == nameBox &&
              heard[0].text == L"Generated name: " + std::wstring(name) && name[0] != L'\0' &&
              heard[0].kind == 2 /* ActionCompleted */ &&
              heard[0].processing == 1 /* ImportantMostRecent */ &&
              heard[0].activity == L"Velmora2NameGenerated" &&
              heard[0].thread == GetCurrentThreadId() &&
              testing::NotificationRecorder::providersAlive == 0,
          "a new name is raised as a notification of the name box, the newest one mattering");

    // A change of scale puts the window in the frame Windows suggests and
    // keeps the tab order and the focus; back again, it is as it started.
    SetFocus(form.control(ui::description::Command4));
    const std::string atStart = layoutOf(form);
    const std::vector<HWND> orderAtStart = windowOrder(form);
    const RECT suggested = changeScale(form, 144);
    RECT frame;
    GetWindowRect(form.handle(), &frame);
    check(EqualRect(&frame, &suggested) != FALSE,
          "at a new scale the window takes the frame Windows suggests");
    check(windowOrder(form) == orderAtStart &&
              GetFocus() == form.control(ui::description::Command4),
          "a new scale keeps the tab order and the focus");
    const std::string at144 = layoutOf(form);
    changeScale(form, ui::WindowDpi(form.handle()));
    check(at144 != atStart && layoutOf(form) == atStart,
          "back at the start scale the window is laid out as it started");

    // A screen reader's first question puts the window's thread in a
    // single-threaded apartment, where its annotations are made.
    SendMessageW(form.handle(), WM_GETOBJECT, 0, OBJID_CLIENT);
    check(CoGetApartmentType(&apartment, &qualifier) == S_OK &&
              (apartment == APTTYPE_MAINSTA || apartment == APTTYPE_STA),
          "a screen reader's first question enters a single-threaded apartment");
    {
        ui::Form1 second; // a second window, to annotate with the recorder in place
        testing::AnnotationRecorder annotations(AnnotationService);
        check(annotations.texts.empty(), "nothing is annotated before a screen reader asks");
        SendMessageW(second.handle(), WM_GETOBJECT, 0, OBJID_CLIENT);
        check(annotations.apartment == apartment, "the annotations are made in that apartment");
        HWND nameBox = second.control(ui::description::TextName);
        HWND banner = second.control(ui::description::Picture1);
        const std::map<std::pair<HWND, bool>, std::wstring> expected = {
            {{nameBox, false}, L"Generated Name"},
            {{banner, false}, L"Velmora 2 Name Generator banner"},
            {{banner, true}, L"Title artwork of the game Velmora 2 above the words NAME GENERATOR"},
            {{second.control(ui::description::Command2), true},
             L"Opens dornwick.example in your web browser"},
            {{second.control(ui::description::Command4), true},
             L"Opens vworkshop.example in your web browser"},
        };
        check(annotations.texts == expected,
              "the name box and the banner are named, the banner and the link buttons described");
        SendMessageW(second.handle(), WM_GETOBJECT, 0, OBJID_CLIENT);
        check(annotations.texts == expected, "asked again, the window annotates nothing twice");
        DestroyWindow(second.handle());
        check(annotations.texts.empty(), "the annotations go with the window");
    }

    return check.finish();
}
