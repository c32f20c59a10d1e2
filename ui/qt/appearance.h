#pragma once

#include "ui/form1description.h"

#include <QColor>
#include <QFont>
#include <QString>

namespace ui {

// The window's own colours.
constexpr QColor ToQColor(description::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}
inline constexpr QColor Navy = ToQColor(description::NavyRgb);
inline constexpr QColor White = ToQColor(description::WhiteRgb);

// "Velmora 2 Name Generator": the window title, also used for error messages.
QString WindowTitle();

// Application-wide look, set once before the window is built: the classic
// style, whose group boxes run their border line through the caption, and a
// stand-in for the window font where the system lacks it.
void PrepareAppearance();

// "MS Sans Serif" at 8.25 points, regular or bold.
QFont WindowFont();
QFont BoldWindowFont();

// Whether font is drawn in a stand-in with Arial's widths, in which every
// caption of the window fits its control.
bool HasArialWidths(const QFont& font);

} // namespace ui
