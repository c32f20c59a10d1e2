#pragma once

#include "ui/form1behaviour.h"
#include "ui/form1layout.h"
#include "ui/win32/accessibility.h"
#include "ui/win32/appearance.h"
#include "ui/win32/picturebox.h"
#include "ui/win32/windowengine.h"

#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

namespace ui {

// The program's one window on Win32: pick a gender, press "Generate Name",
// get a full name. What it does is Form1Behaviour's; this is its windows.
class Form1 final : public EngineWindow, public Form1Behaviour
{
public:
    // The screen reader announcer is the program's own unless a caller
    // hands in another. Builds the window and its sixteen controls, hidden,
    // at the scale of the monitor it starts on.
    explicit Form1(Form1Parts parts = {}, Announcer announce = RaiseNotification);
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Shows the window with the focus on the first control of the tab order.
    void show();

    HWND handle() const { return m_window; }
    HWND control(description::ControlId id) const
    {
        return m_controls[static_cast<std::size_t>(id)];
    }

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    void layOut(int dpi);
    HWND createControl(const PlacedControl& placed);
    void placeFrame(const RECT& frame);
    void fitClientArea();
    void annotateControls();
    void onCommand(std::size_t index, int notification);
    std::optional<LRESULT> colourControl(HDC dc, HWND control);

    bool isChosen(description::ControlId option) const override;
    void setNameText(const std::u16string& text) override;
    void announce(const std::u16string& text) override;

    // The window as read at the scale it is laid out at, and what was made for it.
    Form1Layout m_layout;
    int m_dpi = USER_DEFAULT_SCREEN_DPI;
    Owned<HFONT> m_font;
    Owned<HFONT> m_boldFont;
    Owned<HBITMAP> m_banner;
    Brushes m_brushes;
    // Made when a screen reader first asks for the window.
    std::unique_ptr<ControlAnnotations> m_annotations;
    HWND m_window = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND m_lastFocus = nullptr;
    std::array<HWND, description::Controls.size()> m_controls{};

    Announcer m_announce;
};

} // namespace ui
