// The window's description as every engine reads it: places in an engine's
// pixels at two scales and in the narrow arrangement, colours resolved
// against a platform's, and the keyboard's groups. What each engine then
// shows is held to its pictures and scenarios.

#include "ui/form1layout.h"

#include <QTest>

#include <tuple>

using ui::PixelRect;
using ui::description::ControlId;
using ui::description::Rgb;

Q_DECLARE_METATYPE(PixelRect)
Q_DECLARE_METATYPE(ControlId)
Q_DECLARE_METATYPE(Rgb)

namespace ui::description {
bool operator==(const Rect& a, const Rect& b)
{
    return std::tie(a.left, a.top, a.width, a.height) == std::tie(b.left, b.top, b.width, b.height);
}
char* toString(const Rect& r)
{
    return QTest::toString(QRect(r.left, r.top, r.width, r.height));
}
bool operator==(Rgb a, Rgb b)
{
    return std::tie(a.red, a.green, a.blue) == std::tie(b.red, b.green, b.blue);
}
} // namespace ui::description

class TestLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A frame's controls stand within it; at 144 dpi each edge is rounded
    // from the client area's twips, so neighbours stay flush.
    void places_data()
    {
        QTest::addColumn<int>("dpi");
        QTest::addColumn<ControlId>("control");
        QTest::addColumn<PixelRect>("inClientArea");
        QTest::addColumn<PixelRect>("inContainer");
        QTest::newRow("banner") << 96 << ControlId::Picture1 << PixelRect{312, 8, 125, 119}
                                << PixelRect{312, 8, 125, 119};
        QTest::newRow("name box") << 96 << ControlId::TextName << PixelRect{16, 88, 281, 19}
                                  << PixelRect{8, 24, 281, 19};
        QTest::newRow("banner, 144 dpi")
            << 144 << ControlId::Picture1 << PixelRect{468, 12, 188, 179}
            << PixelRect{468, 12, 188, 179};
        QTest::newRow("a domain label, 144 dpi")
            << 144 << ControlId::Label5 << PixelRect{456, 264, 170, 26}
            << PixelRect{444, 72, 170, 26};
    }

    void places()
    {
        QFETCH(int, dpi);
        QFETCH(ControlId, control);
        QFETCH(PixelRect, inClientArea);
        QFETCH(PixelRect, inContainer);
        const ui::Form1Layout layout = ui::LayOut({.dpi = dpi});
        const ui::PlacedControl& placed = layout.controls[static_cast<std::size_t>(control)];
        QCOMPARE(placed.inClientArea, inClientArea);
        QCOMPARE(placed.inContainer, inContainer);
    }

    void clientArea()
    {
        QCOMPARE(ui::LayOut({}).clientArea, (PixelRect{0, 0, 449, 209}));
        QCOMPARE(ui::LayOut({.dpi = 144}).clientArea, (PixelRect{0, 0, 674, 314}));
        QCOMPARE(ui::LayOut({}, ui::description::Narrow).clientArea, (PixelRect{0, 0, 313, 391}));
    }

    // The push buttons' white faces keep the system's caption colour where it
    // reads on white (WCAG AA); the name box and the banner take the
    // system's own, the rest the window's navy and white.
    void colours_data()
    {
        QTest::addColumn<Rgb>("systemButtonText");
        QTest::addColumn<Rgb>("buttonCaption");
        QTest::newRow("dark green") << Rgb{0, 80, 0} << Rgb{0, 80, 0};
        QTest::newRow("contrast just over 4.5") << Rgb{118, 118, 118} << Rgb{118, 118, 118};
        QTest::newRow("contrast just under 4.5") << Rgb{119, 119, 119} << Rgb{0, 0, 0};
        QTest::newRow("pure blue, dark") << Rgb{0, 0, 255} << Rgb{0, 0, 255};
        QTest::newRow("pure red, too light") << Rgb{255, 0, 0} << Rgb{0, 0, 0};
        QTest::newRow("a dark theme's") << Rgb{238, 238, 236} << Rgb{0, 0, 0};
    }

    void colours()
    {
        QFETCH(Rgb, systemButtonText);
        QFETCH(Rgb, buttonCaption);
        const Rgb field{255, 250, 205};
        const Rgb fieldText{80, 0, 0};
        const ui::Form1Layout layout = ui::LayOut({96, field, fieldText, systemButtonText});
        for (const ui::PlacedControl& placed : layout.controls) {
            using enum ui::description::Kind;
            const auto kind = placed.control->kind;
            const bool system = kind == TextBox || kind == PictureBox;
            const Rgb ground = kind == PushButton ? ui::description::WhiteRgb
                               : system           ? field
                                                  : ui::description::NavyRgb;
            const Rgb text = kind == PushButton ? buttonCaption
                             : system           ? fieldText
                                                : ui::description::WhiteRgb;
            QVERIFY2(placed.background == ground && placed.foreground == text,
                     placed.control->name.data());
        }
    }

    // The arrow keys move between the option buttons of one frame only.
    void groups()
    {
        for (const ui::PlacedControl& placed : ui::LayOut({}).controls) {
            QCOMPARE(placed.startsGroup, placed.control->id != ControlId::OptionFemale);
        }
    }
};

QTEST_APPLESS_MAIN(TestLayout)
#include "tst_layout.moc"
