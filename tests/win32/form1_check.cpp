// The Win32 window's frame in process, under wine: what the whole-program
// test cannot see from outside. What the window does is played in
// scenarios_check.cpp.

#include "common/scriptedrandom.h"
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#include "win32/checks.h"

#include <windows.h>

#include <cstdlib>

int main()
{
    testing::Checks check;
    testing::ScriptedRandom random;
    ui::Form1 form(random);
    form.Form_Load();
    form.show();
    ui::DeliverWaitingMessages(form.handle());

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
    return check.finish();
}
