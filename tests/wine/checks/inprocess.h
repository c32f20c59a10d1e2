#pragma once

// For the checks that hold the window in their own process.

#include "ui/form1description.h"
#include "ui/win32/windowengine.h"

#include <windows.h>

#include <string_view>

namespace testing {

// Delivers every message waiting in the thread's queue, as the program's
// message loop does, up to WM_QUIT.
inline void DeliverWaitingMessages(HWND window)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) && message.message != WM_QUIT) {
        ui::DeliverMessage(window, message);
    }
}

// The control of the description called name.
constexpr ui::description::ControlId ControlNamed(std::string_view name)
{
    return ui::description::Controls[ui::description::IndexOf(name)].id;
}

} // namespace testing
