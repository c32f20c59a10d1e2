#pragma once

// A small window of the X display the whole-program tests run on: find a
// top-level window by its title, read what it tells the window manager,
// grab its pixels, click in it and ask it to close, as a window manager would.

#include "ui/form1description.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>
#include <string_view>
#include <vector>

using Window = unsigned long; // the X11 window id, as in Xlib
struct _XDisplay;

namespace testing {

// A control's place in the window's client area at 96 dpi.
constexpr QRect ClientRect(std::string_view control)
{
    namespace layout = ui::description;
    constexpr int perPixel = layout::TwipsPerPixelAt96Dpi;
    const layout::Control& described = layout::Controls[layout::IndexOf(control)];
    layout::Twips place = described.place;
    if (described.container != "Form1") { // a frame's place is the origin of what it holds
        place.left += layout::Controls[layout::IndexOf(described.container)].place.left;
        place.top += layout::Controls[layout::IndexOf(described.container)].place.top;
    }
    return {place.left / perPixel, place.top / perPixel, place.width / perPixel,
            place.height / perPixel};
}

// The window's title, by which the whole-program tests find it.
inline const QString Title = QString::fromStdU16String(std::u16string(ui::description::Title));

// The points of the controls the whole-program tests press, and the name
// box within its sunken edge.
constexpr QPoint MaleOption = ClientRect("OptionMale").center();
constexpr QPoint FemaleOption = ClientRect("OptionFemale").center();
constexpr QPoint GenerateButton = ClientRect("Command1").center();
constexpr QPoint DornwickButton = ClientRect("Command2").center();
constexpr QPoint WorkshopButton = ClientRect("Command4").center();
constexpr QRect NameBoxInside = ClientRect("TextName").adjusted(3, 3, -3, -3);

struct SizeHints
{
    QSize minimum;
    QSize maximum;
};

// What the window asks of the window manager in _MOTIF_WM_HINTS.
struct MotifHints
{
    unsigned long flags = 0;
    unsigned long functions = 0;
    unsigned long decorations = 0;
};

class X11Session
{
public:
    X11Session();
    ~X11Session();
    X11Session(const X11Session&) = delete;
    X11Session& operator=(const X11Session&) = delete;

    bool isOpen() const { return m_display != nullptr; }
    QSize screenSize() const;

    // Waits until a mapped top-level window with exactly this title appears.
    std::optional<Window> waitForWindow(const QString& title, std::chrono::milliseconds timeout);

    // The window's client area in screen coordinates.
    QRect clientGeometry(Window window) const;
    SizeHints sizeHints(Window window) const;
    MotifHints motifHints(Window window) const;
    // The class part of the window's WM_CLASS, by which docks match it to a desktop entry.
    QString windowClass(Window window) const;
    // The kinds of window it says it is (_NET_WM_WINDOW_TYPE), by atom name.
    QStringList windowTypes(Window window) const;
    // The sizes of the icon images the window offers (_NET_WM_ICON).
    QList<QSize> iconSizes(Window window) const;
    QImage grab(const QRect& screenArea) const;

    void click(Window window, QPoint clientPoint);
    // What the close box does: a WM_DELETE_WINDOW message.
    void requestClose(Window window);
    // Cuts the X connection of the client that owns window, as xkill does.
    void killClient(Window window);

private:
    std::vector<unsigned long> property(Window window, const char* name, long maxItems) const;

    _XDisplay* m_display = nullptr;
};

// How many pixels of image are dark: text drawn in a light box.
int InkIn(const QImage& image);

} // namespace testing
