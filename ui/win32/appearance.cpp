#include "ui/win32/appearance.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace ui {

namespace {

int systemDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

int WindowDpi(HWND window)
{
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    // Looked up rather than imported, so that the program still starts where it is missing.
    static const auto getDpiForWindow =
        reinterpret_cast<GetDpiForWindow>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const int dpi = getDpiForWindow != nullptr ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : systemDpi();
}

Owned<HFONT> MakeWindowFont(int dpi, int weight)
{
    constexpr double pointsPerInch = 72.0;
    const int height =
        -static_cast<int>(std::lround(description::FontPoints * dpi / pointsPerInch));
    const std::wstring family(description::FontFamily.begin(), description::FontFamily.end());
    Owned<HFONT> font(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                  DEFAULT_PITCH | FF_SWISS, family.c_str()));
    if (!font) {
        throw std::runtime_error("The window font could not be made");
    }
    return font;
}

HBRUSH Brushes::of(description::Rgb colour)
{
    const COLORREF wanted = ToColorRef(colour);
    for (const auto& [made, brush] : m_made) {
        if (made == wanted) {
            return brush.get();
        }
    }
    Owned<HBRUSH> brush(CreateSolidBrush(wanted));
    if (!brush) {
        throw std::runtime_error("A brush for the window's colours could not be made");
    }
    return m_made.emplace_back(wanted, std::move(brush)).second.get();
}

void DrawPushButton(const DRAWITEMSTRUCT& item, COLORREF captionColour)
{
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &face, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawEdge(dc, &face, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);

    wchar_t caption[64] = {};
    GetWindowTextW(item.hwndItem, caption, 64);
    RECT text = face;
    if (pressed) {
        OffsetRect(&text, 1, 1);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, captionColour);
    DrawTextW(dc, caption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
        RECT focus = face;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

} // namespace ui
