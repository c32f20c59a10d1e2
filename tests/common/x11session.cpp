#include "common/x11session.h"

#include "common/eventually.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace testing {

X11Session::X11Session() : m_display(XOpenDisplay(nullptr)) {}

X11Session::~X11Session()
{
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

QSize X11Session::screenSize() const
{
    const int screen = DefaultScreen(m_display);
    return {DisplayWidth(m_display, screen), DisplayHeight(m_display, screen)};
}

std::optional<Window> X11Session::waitForWindow(const QString& title,
                                                std::chrono::milliseconds timeout)
{
    std::optional<Window> found;
    Eventually(
        [&] {
            ::Window root = 0;
            ::Window parent = 0;
            ::Window* children = nullptr;
            unsigned int count = 0;
            XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count);
            for (unsigned int i = 0; i < count && !found; ++i) {
                XWindowAttributes attributes;
                char* name = nullptr;
                if (XGetWindowAttributes(m_display, children[i], &attributes) != 0 &&
                    attributes.map_state == IsViewable &&
                    XFetchName(m_display, children[i], &name) != 0) {
                    if (QString::fromLocal8Bit(name) == title) {
                        found = children[i];
                    }
                    XFree(name);
                }
            }
            XFree(children); // as free, nothing for none
            return found.has_value();
        },
        timeout, std::chrono::milliseconds(50));
    return found;
}

QRect X11Session::clientGeometry(Window window) const
{
    XWindowAttributes attributes;
    XGetWindowAttributes(m_display, window, &attributes);
    int x = 0;
    int y = 0;
    ::Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &x, &y, &child);
    return {x, y, attributes.width, attributes.height};
}

SizeHints X11Session::sizeHints(Window window) const
{
    XSizeHints hints{}; // left without flags when the window gives none
    long supplied = 0;
    XGetWMNormalHints(m_display, window, &hints, &supplied);
    return {hints.flags & PMinSize ? QSize(hints.min_width, hints.min_height) : QSize(),
            hints.flags & PMaxSize ? QSize(hints.max_width, hints.max_height) : QSize()};
}

// The 32-bit items of a window property, which Xlib hands back as longs.
std::vector<unsigned long> X11Session::property(Window window, const char* name,
                                                long maxItems) const
{
    const Atom atom = XInternAtom(m_display, name, False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> values;
    if (XGetWindowProperty(m_display, window, atom, 0, maxItems, False, AnyPropertyType, &type,
                           &format, &items, &remaining, &data) == Success &&
        data != nullptr) {
        const auto* longs = reinterpret_cast<const unsigned long*>(data);
        values.assign(longs, longs + items);
        XFree(data);
    }
    return values;
}

MotifHints X11Session::motifHints(Window window) const
{
    const std::vector<unsigned long> values = property(window, "_MOTIF_WM_HINTS", 5);
    if (values.size() < 3) {
        return {};
    }
    return {values[0], values[1], values[2]};
}

QString X11Session::windowClass(Window window) const
{
    XClassHint hint{}; // left null when the window has none
    XGetClassHint(m_display, window, &hint);
    const QString windowClass = QString::fromLocal8Bit(hint.res_class);
    XFree(hint.res_name);
    XFree(hint.res_class);
    return windowClass;
}

QStringList X11Session::windowTypes(Window window) const
{
    QStringList types;
    for (const unsigned long atom : property(window, "_NET_WM_WINDOW_TYPE", 16)) {
        char* name = XGetAtomName(m_display, atom);
        types.append(QString::fromLatin1(name));
        XFree(name);
    }
    return types;
}

QList<QSize> X11Session::iconSizes(Window window) const
{
    // Each image: width, height, then width x height pixels.
    const std::vector<unsigned long> values = property(window, "_NET_WM_ICON", 1 << 20);
    QList<QSize> sizes;
    for (std::size_t i = 0; i + 1 < values.size(); i += 2 + values[i] * values[i + 1]) {
        sizes.append({static_cast<int>(values[i]), static_cast<int>(values[i + 1])});
    }
    return sizes;
}

QImage X11Session::grab(const QRect& area) const
{
    XImage* shot = XGetImage(m_display, DefaultRootWindow(m_display), area.x(), area.y(),
                             static_cast<unsigned int>(area.width()),
                             static_cast<unsigned int>(area.height()), AllPlanes, ZPixmap);
    QImage image(area.size(), QImage::Format_RGB32);
    if (shot == nullptr) {
        return {};
    }
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            image.setPixel(x, y, static_cast<QRgb>(XGetPixel(shot, x, y)) | 0xff000000u);
        }
    }
    XDestroyImage(shot);
    return image;
}

void X11Session::click(Window window, QPoint clientPoint)
{
    const QPoint at = clientGeometry(window).topLeft() + clientPoint;
    XTestFakeMotionEvent(m_display, DefaultScreen(m_display), at.x(), at.y(), CurrentTime);
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}

void X11Session::requestClose(Window window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
}

void X11Session::killClient(Window window)
{
    XKillClient(m_display, window);
    XSync(m_display, False);
}

int InkIn(const QImage& image)
{
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return ink;
}

} // namespace testing
