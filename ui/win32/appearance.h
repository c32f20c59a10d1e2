#pragma once

// The window's look in Win32 terms: its scale, fonts and brushes, and the
// white push-button faces.

#include "ui/form1description.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

namespace ui {

// The dots per inch of the monitor that shows window, of which the program
// is aware per monitor (its manifest says so): layout, fonts and banner
// scale with it. Windows older than 10 version 1607, and a null window,
// give the system's.
int WindowDpi(HWND window);

constexpr COLORREF ToColorRef(description::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// A GDI object of the window's own, deleted when it goes.
struct DeleteGdiObject
{
    void operator()(void* object) const { DeleteObject(object); }
};
template <typename Handle>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, DeleteGdiObject>;

// "MS Sans Serif" 8.25 pt at dpi, of the given weight.
Owned<HFONT> MakeWindowFont(int dpi, int weight);

// A solid brush of each colour asked for, made at its first use and kept
// while this lives.
class Brushes
{
public:
    HBRUSH of(description::Rgb colour);

private:
    std::vector<std::pair<COLORREF, Owned<HBRUSH>>> m_made;
};

// Paints an owner-drawn push button: a white face with a raised edge (sunken
// while pressed), the caption centred in captionColour, and the focus
// rectangle while it has the focus.
void DrawPushButton(const DRAWITEMSTRUCT& item, COLORREF captionColour);

} // namespace ui
