#pragma once

// The window's look in Win32 terms: its scale, fonts and colours, and the
// white push-button faces.

#include "ui/form1description.h"

#include <windows.h>

namespace ui {

// The dots per inch of the monitor that shows window, of which the program
// is aware per monitor (its manifest says so): layout, fonts and banner
// scale with it. Windows older than 10 version 1607, and a null window,
// give the system's.
int WindowDpi(HWND window);

// Twips to device pixels at dpi, rounded to the nearest pixel.
int ToPixels(int twips, int dpi);

// "MS Sans Serif" 8.25 pt at dpi, regular or bold. Owns its font.
class WindowFont
{
public:
    WindowFont(int dpi, bool bold);
    ~WindowFont();
    WindowFont(const WindowFont&) = delete;
    WindowFont& operator=(const WindowFont&) = delete;

    HFONT handle() const { return m_font; }

private:
    HFONT m_font;
};

// The colours of the description resolved against the system's colours,
// with a brush for each. Owns the brushes of the window's own colours.
class Palette
{
public:
    Palette();
    ~Palette();
    Palette(const Palette&) = delete;
    Palette& operator=(const Palette&) = delete;

    static COLORREF colour(description::Colour colour);
    HBRUSH brush(description::Colour colour) const;

private:
    HBRUSH m_navy;
    HBRUSH m_white;
};

// Paints an owner-drawn push button: a white face with a raised edge (sunken
// while pressed), the caption centred in captionColour, and the focus
// rectangle while it has the focus.
void DrawPushButton(const DRAWITEMSTRUCT& item, COLORREF captionColour);

} // namespace ui
