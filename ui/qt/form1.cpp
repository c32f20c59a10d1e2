#include "ui/qt/form1.h"

#include "ui/bannerpixels.h"
#include "ui/form1layout.h"
#include "ui/iconpixels.h"
#include "ui/qt/appearance.h"
#include "ui/qt/openwebpage.h"
#include "ui/qt/showsfocus.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <memory>
#include <utility>

using namespace Qt::StringLiterals;

namespace ui {

namespace {

namespace layout = description;

// A group box needs this much room beside its caption for the start and the
// end of the border line either side of it.
constexpr int CaptionInset = 16;

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

layout::Rgb toRgb(const QColor& colour)
{
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

// Qt's device-independent pixels are pixels at 96 dpi; Qt scales them to the
// screen. The system's colours are those of the application palette, whose
// Base is the ground of edit fields.
Platform qtPlatform()
{
    const QPalette system = QGuiApplication::palette();
    return {96, toRgb(system.color(QPalette::Base)), toRgb(system.color(QPalette::Text)),
            toRgb(system.color(QPalette::ButtonText))};
}

QWidget* makeControl(const layout::Control& control, QWidget* container)
{
    const QString caption = toQString(control.caption);
    switch (control.kind) {
    case layout::Kind::PictureBox: {
        auto* picture = new ShowsFocus<QLabel>(container);
        picture->setFocusGround(Navy); // the banner's own ground
        picture->setFocusPolicy(Qt::StrongFocus);
        // Always exactly the size of its image, unscaled from the top left.
        // Its pixels were decoded when the program was built.
        const QImage pixels(reinterpret_cast<const uchar*>(banner::Pixels.data()), banner::Width,
                            banner::Height, banner::Width * 4, QImage::Format_RGB32);
        picture->setPixmap(QPixmap::fromImage(pixels));
        return picture;
    }
    case layout::Kind::Frame:
        return new QGroupBox(caption, container);
    case layout::Kind::PushButton: {
        auto* button = new QPushButton(caption, container);
        button->setAutoDefault(false);
        return button;
    }
    case layout::Kind::Label: {
        auto* label = new QLabel(caption, container);
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setAutoFillBackground(true); // opaque
        return label;
    }
    case layout::Kind::TextBox: {
        auto* edit = new ShowsFocus<QLineEdit>(container);
        // Read-only for the user, yet selectable so the name can be copied.
        edit->setReadOnly(true);
        return edit;
    }
    case layout::Kind::OptionButton: {
        auto* option = new QRadioButton(caption, container);
        // Drawn like a label: window colours, not button colours.
        option->setBackgroundRole(QPalette::Window);
        return option;
    }
    }
    return nullptr;
}

// The icon's images, decoded when the program was built. Every pixel is
// either opaque or 0, so the pixels are premultiplied as they stand.
QIcon programIcon()
{
    QIcon icon;
    for (const icon::Image& image : icon::Images) {
        const QImage pixels(reinterpret_cast<const uchar*>(image.pixels), image.width, image.height,
                            image.width * 4, QImage::Format_ARGB32_Premultiplied);
        icon.addPixmap(QPixmap::fromImage(pixels));
    }
    return icon;
}

void setColours(QWidget* widget, layout::Rgb background, layout::Rgb foreground)
{
    const bool textBox = qobject_cast<QLineEdit*>(widget) != nullptr;
    const bool button = qobject_cast<QPushButton*>(widget) != nullptr;
    // The ground and text roles this kind of widget paints with.
    const QPalette::ColorRole ground = textBox  ? QPalette::Base
                                       : button ? QPalette::Button
                                                : widget->backgroundRole();
    const QPalette::ColorRole text = textBox  ? QPalette::Text
                                     : button ? QPalette::ButtonText
                                              : widget->foregroundRole();
    QPalette palette = widget->palette();
    palette.setColor(ground, ToQColor(background));
    palette.setColor(text, ToQColor(foreground));
    widget->setPalette(palette);
}

} // namespace

Form1::Form1(Form1Parts parts)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      Form1Behaviour(std::move(parts), links::OpenWebPage)
{
    const Form1Layout layout = LayOut(qtPlatform());
    setObjectName(u"Form1"_s);
    setWindowTitle(WindowTitle());
    setWindowIcon(programIcon());
    setFont(WindowFont());
    setFixedSize(layout.clientArea.width, layout.clientArea.height);
    setColours(this, layout.background, layout.foreground);

    createControls(layout);
    fitCaptions();
    centreOnScreen();
}

void Form1::createControls(const Form1Layout& layout)
{
    for (const PlacedControl& placed : layout.controls) {
        const layout::Control& control = *placed.control;
        QWidget* widget = makeControl(
            control, placed.container == OnTheWindow ? this : m_controls[placed.container]);
        m_controls[static_cast<std::size_t>(control.id)] = widget;
        widget->setObjectName(QString::fromLatin1(control.name));
        const PixelRect& place = placed.inContainer;
        widget->setGeometry(place.left, place.top, place.width, place.height);
        if (placed.weight != layout::RegularWeight) {
            widget->setFont(BoldWindowFont());
        }
        setColours(widget, placed.background, placed.foreground);
        widget->setAccessibleName(toQString(placed.accessibleName));
        widget->setAccessibleDescription(toQString(placed.accessibleDescription));
        if (placed.raisesClick) {
            reportClicks(static_cast<QAbstractButton*>(widget), control.id);
        }
    }
    m_controls[static_cast<std::size_t>(layout::Picture1)]->adjustSize();
    // Frames and labels never take the focus; the banner does, last.
    QWidget* previous = nullptr;
    for (const layout::Control& control : layout::FocusChain()) {
        QWidget* widget = m_controls[static_cast<std::size_t>(control.id)];
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        } else {
            widget->setFocus();
        }
        previous = widget;
    }
}

void Form1::fitCaptions()
{
    // Where the stand-in for the window font is wider than the original,
    // narrow its letters just enough for every caption to fit its control.
    // In the first stand-ins every caption fits with room to spare (the
    // reference pictures show them), so only another one is measured: that
    // loads the glyphs of every caption before the window can show.
    if (HasArialWidths(font())) {
        return;
    }
    constexpr int narrowest = 70;
    constexpr int step = 5;
    for (int stretch = QFont::Unstretched; !captionsFit() && stretch > narrowest;) {
        stretch -= step;
        QFont narrower = font();
        narrower.setStretch(stretch);
        setFont(narrower);
    }
}

bool Form1::captionsFit() const
{
    for (const layout::Control& control : layout::Controls) {
        const QWidget* widget = m_controls[static_cast<std::size_t>(control.id)];
        const int text = widget->fontMetrics().horizontalAdvance(toQString(control.caption));
        int needed = text;
        if (control.kind == layout::Kind::PushButton ||
            control.kind == layout::Kind::OptionButton) {
            needed = widget->sizeHint().width();
        } else if (control.kind == layout::Kind::Frame) {
            needed = text + CaptionInset;
        }
        if (needed > widget->width()) {
            return false;
        }
    }
    return true;
}

void Form1::reportClicks(QAbstractButton* button, layout::ControlId control)
{
    const auto click = [this, control] { Click(control); };
    if (qobject_cast<QPushButton*>(button) != nullptr) {
        m_enterPresses->watch(button);
        connect(button, &QAbstractButton::clicked, this, click);
        return;
    }
    // The mouse and the keyboard choose an option button by clicking it; a
    // screen reader's "toggle" action only checks it. So a new choice runs
    // the handler as the button becomes checked, and a click on the button
    // already chosen runs it as the click ends: once per choice either way.
    auto wasChosen = std::make_shared<bool>(false);
    connect(button, &QAbstractButton::pressed, this,
            [button, wasChosen] { *wasChosen = button->isChecked(); });
    connect(button, &QAbstractButton::toggled, this, [click](bool checked) {
        if (checked) {
            click();
        }
    });
    connect(button, &QAbstractButton::clicked, this, [click, wasChosen] {
        if (*wasChosen) {
            click();
        }
    });
}

void Form1::centreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
}

bool Form1::isChosen(layout::ControlId option) const
{
    return static_cast<const QRadioButton*>(m_controls[static_cast<std::size_t>(option)])
        ->isChecked();
}

void Form1::setNameText(const std::u16string& text)
{
    static_cast<QLineEdit*>(m_controls[static_cast<std::size_t>(layout::TextName)])
        ->setText(QString::fromStdU16String(text));
}

void Form1::announce(const std::u16string& text)
{
    m_announcer->announce(QString::fromStdU16String(text));
}

} // namespace ui
