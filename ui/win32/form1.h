#pragma once

#include "names/nametable.h"
#include "names/randomsource.h"
#include "ui/win32/accessibility.h"
#include "ui/win32/appearance.h"
#include "ui/win32/picturebox.h"
#include "ui/win32/windowengine.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ui {

// Opens a web address in the user's browser; returns the shell's result.
using WebPageOpener = std::function<std::int32_t(const std::u16string& address)>;

// The program's one window: pick a gender, press "Generate Name", get a
// full name. It owns the two name tables; the chosen gender lives only in
// the option buttons and the current name only in the name box.
class Form1 final : public EngineWindow
{
public:
    // The random source, the browser launcher and the screen reader
    // announcer are the program's own unless a caller (a test) hands in
    // others. Builds the window and its sixteen controls, hidden, at the
    // scale of the monitor it starts on.
    explicit Form1(names::RandomSource& random = names::ProcessRandom(),
                   WebPageOpener openWebPage = {}, Announcer announce = {});
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Load: seed the random source from the time of day, then fill the tables.
    void Form_Load();

    // Shows the window with the focus on the first control of the tab order.
    void show();

    HWND handle() const { return m_window; }
    // The control called name in the window's description.
    HWND control(std::string_view name) const;
    const names::NameTables& nameTables() const { return m_names; }

private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    void createControls();
    void arrangeTabOrder();
    void layOut(int dpi);
    void fitFrame(const RECT& frame);
    void annotateControls();
    void onCommand(int controlId, int notification);
    std::optional<LRESULT> colourControl(HDC dc, HWND control) const;

    void Command1_Click();
    void OptionMale_Click();
    void OptionFemale_Click();
    void Command2_Click();
    void Command4_Click();

    // The scale the window is laid out at, and what was made for it.
    int m_dpi = USER_DEFAULT_SCREEN_DPI;
    std::unique_ptr<WindowFont> m_font;
    std::unique_ptr<WindowFont> m_boldFont;
    std::unique_ptr<Picture> m_banner;
    const Palette m_palette;
    // Made when a screen reader first asks for the window.
    std::unique_ptr<ControlAnnotations> m_annotations;
    HWND m_window = nullptr;
    // The control that had the focus when the window was last deactivated.
    HWND m_lastFocus = nullptr;
    std::array<HWND, description::Controls.size()> m_controls{};

    // The controls the program works with; the frames and labels are passive.
    HWND Picture1 = nullptr;
    HWND Command4 = nullptr;
    HWND Command2 = nullptr;
    HWND Command1 = nullptr;
    HWND TextName = nullptr;
    HWND OptionFemale = nullptr;
    HWND OptionMale = nullptr;

    names::NameTables m_names;
    names::RandomSource& m_random;
    WebPageOpener m_openWebPage;
    Announcer m_announce;
};

} // namespace ui
