#pragma once

// What the window tells screen readers beyond what Windows' own controls
// say of themselves: each new name as it appears, and the names and
// descriptions that the name box and the banner cannot give.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct IAccPropServices;

namespace ui {

// Tells screen readers text at once, wherever the focus is; source is the
// control the news comes from.
using Announcer = std::function<void(HWND source, const std::wstring& text)>;

// Raises a UI Automation notification (Windows 10 1709 and later), found
// when first needed. Where Windows lacks it, nothing is said and the program
// goes on; returns whether the notification was raised.
bool RaiseNotification(HWND source, const std::wstring& text);

// Accessible names and descriptions laid over standard controls (dynamic
// annotation), which Windows' own accessibility of those controls then
// reports. They are taken away again when this ends.
class ControlAnnotations
{
public:
    // Enters the thread's COM apartment if it has none yet.
    ControlAnnotations();
    ~ControlAnnotations();
    ControlAnnotations(const ControlAnnotations&) = delete;
    ControlAnnotations& operator=(const ControlAnnotations&) = delete;

    void setName(HWND control, const std::wstring& name);
    void setDescription(HWND control, const std::wstring& description);

private:
    struct Release
    {
        void operator()(IAccPropServices* services) const;
    };
    std::unique_ptr<IAccPropServices, Release> m_services;
    std::vector<HWND> m_annotated;
};

} // namespace ui
