#include "ui/win32/appearance.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace ui {

namespace {

COLORREF toColorRef(description::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

description::Rgb toRgb(COLORREF colour)
{
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

HBRUSH solidBrush(description::Rgb rgb)
{
    HBRUSH brush = CreateSolidBrush(toColorRef(rgb));
    if (brush == nullptr) {
        throw std::runtime_error("A brush for the window's colours could not be made");
    }
    return brush;
}

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

int ToPixels(int twips, int dpi)
{
    return MulDiv(twips, dpi, description::TwipsPerInch);
}

WindowFont::WindowFont(int dpi, bool bold)
{
    constexpr double pointsPerInch = 72.0;
    const int height =
        -static_cast<int>(std::lround(description::FontPoints * dpi / pointsPerInch));
    const std::wstring family(description::FontFamily.begin(), description::FontFamily.end());
    m_font =
        CreateFontW(height, 0, 0, 0, bold ? description::BoldWeight : description::RegularWeight,
                    FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, family.c_str());
    if (m_font == nullptr) {
        throw std::runtime_error("The window font could not be made");
    }
}

WindowFont::~WindowFont()
{
    DeleteObject(m_font);
}

Palette::Palette() : m_navy(solidBrush(description::NavyRgb)), m_white(nullptr)
{
    try {
        m_white = solidBrush(description::WhiteRgb);
    } catch (...) {
        DeleteObject(m_navy);
        throw;
    }
}

Palette::~Palette()
{
    DeleteObject(m_navy);
    DeleteObject(m_white);
}

COLORREF Palette::colour(description::Colour colour)
{
    switch (colour) {
    case description::Colour::Navy:
        return toColorRef(description::NavyRgb);
    case description::Colour::White:
        return toColorRef(description::WhiteRgb);
    case description::Colour::SystemWindow:
        return GetSysColor(COLOR_WINDOW);
    case description::Colour::SystemWindowText:
        return GetSysColor(COLOR_WINDOWTEXT);
    case description::Colour::SystemButtonText:
        return toColorRef(description::ButtonCaptionOnWhite(toRgb(GetSysColor(COLOR_BTNTEXT))));
    }
    return 0;
}

HBRUSH Palette::brush(description::Colour colour) const
{
    switch (colour) {
    case description::Colour::Navy:
        return m_navy;
    case description::Colour::White:
        return m_white;
    case description::Colour::SystemWindow:
        return GetSysColorBrush(COLOR_WINDOW);
    case description::Colour::SystemWindowText:
        return GetSysColorBrush(COLOR_WINDOWTEXT);
    case description::Colour::SystemButtonText:
        return GetSysColorBrush(COLOR_BTNTEXT);
    }
    return nullptr;
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
