#include "ui/qt/form1.h"

#include "ui/bannerpixels.h"
#include "ui/form1description.h"
#include "ui/iconpixels.h"
#include "ui/qt/announcer.h"
#include "ui/qt/appearance.h"
#include "ui/qt/enterpressesbutton.h"
#include "ui/qt/showsfocus.h"
#include "ui/qt/windowengine.h"

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

// Qt's device-independent pixels are pixels at 96 dpi; Qt scales them to the screen.
constexpr QRect pixels(const layout::Twips& twips)
{
    constexpr int perPixel = layout::TwipsPerPixelAt96Dpi;
    return {twips.left / perPixel, twips.top / perPixel, twips.width / perPixel,
            twips.height / perPixel};
}

// A group box needs this much room beside its caption for the start and the
// end of the border line either side of it.
constexpr int CaptionInset = 16;

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget* makeControl(const layout::Control& control, QWidget* container)
{
    const QString caption = toQString(control.caption);
    switch (control.kind) {
    case layout::Kind::PictureBox: {
        auto* picture = new ShowsFocus<QLabel>(container);
        picture->setFocusGround(Navy); // the banner's own ground
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

// The system's colours are those of the application palette; "window" is
// the ground of edit fields and documents, Qt's Base.
QColor resolve(layout::Colour colour)
{
    const QPalette system = QGuiApplication::palette();
    switch (colour) {
    case layout::Colour::Navy:
        return Navy;
    case layout::Colour::White:
        return White;
    case layout::Colour::SystemWindow:
        return system.color(QPalette::Base);
    case layout::Colour::SystemWindowText:
        return system.color(QPalette::Text);
    case layout::Colour::SystemButtonText: {
        const QColor caption = system.color(QPalette::ButtonText);
        return ToQColor(layout::ButtonCaptionOnWhite({static_cast<std::uint8_t>(caption.red()),
                                                      static_cast<std::uint8_t>(caption.green()),
                                                      static_cast<std::uint8_t>(caption.blue())}));
    }
    }
    return {};
}

void applyColours(QWidget* widget, const layout::Control& control)
{
    const bool textBox = control.kind == layout::Kind::TextBox;
    const bool button = control.kind == layout::Kind::PushButton;
    // The ground and text roles this kind of widget paints with.
    const QPalette::ColorRole ground = textBox  ? QPalette::Base
                                       : button ? QPalette::Button
                                                : widget->backgroundRole();
    const QPalette::ColorRole text = textBox  ? QPalette::Text
                                     : button ? QPalette::ButtonText
                                              : widget->foregroundRole();
    QPalette palette = widget->palette();
    palette.setColor(ground, resolve(control.background));
    palette.setColor(text, resolve(control.foreground));
    widget->setPalette(palette);
}

} // namespace

Form1::Form1(names::RandomSource& random, WebPageOpener openWebPage)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      Form1Behaviour(random, std::move(openWebPage))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(WindowTitle());
    setWindowIcon(programIcon());
    setFont(WindowFont());
    setFixedSize(pixels(layout::ClientArea).size());
    QPalette navy = palette();
    navy.setColor(QPalette::Window, Navy);
    navy.setColor(QPalette::WindowText, White);
    setPalette(navy);

    createControls();
    fitCaptions();
    setTabOrder();
    connectHandlers();
    centreOnScreen();
}

void Form1::createControls()
{
    for (const layout::Control& control : layout::Controls) {
        const QString name = QString::fromLatin1(control.name);
        QWidget* container = control.container == "Form1"
                                 ? this
                                 : findChild<QWidget*>(QString::fromLatin1(control.container));
        QWidget* widget = makeControl(control, container);
        widget->setObjectName(name);
        widget->setGeometry(pixels(control.place));
        if (control.bold) {
            widget->setFont(BoldWindowFont());
        }
        applyColours(widget, control);
    }

    Picture1 = findChild<QLabel*>(u"Picture1"_s);
    TextName = findChild<QLineEdit*>(u"TextName"_s);

    // The banner: always exactly the size of its image, unscaled from the top
    // left. Its pixels were decoded when the program was built.
    const QImage pixels(reinterpret_cast<const uchar*>(banner::Pixels.data()), banner::Width,
                        banner::Height, banner::Width * 4, QImage::Format_RGB32);
    const QPixmap banner = QPixmap::fromImage(pixels);
    Picture1->setPixmap(banner);
    Picture1->resize(banner.size());
    for (const layout::AccessibleText& text : layout::AccessibleTexts()) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(text.control));
        widget->setAccessibleName(toQString(text.name));
        widget->setAccessibleDescription(toQString(text.description));
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
        const auto* widget = findChild<const QWidget*>(QString::fromLatin1(control.name));
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

void Form1::setTabOrder()
{
    // Frames and labels never take the focus; the banner does, last.
    Picture1->setFocusPolicy(Qt::StrongFocus);
    QWidget* previous = nullptr;
    for (const layout::Control& control : layout::FocusChain()) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(control.name));
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
    findChild<QWidget*>(QString::fromLatin1(layout::FocusChain().front().name))->setFocus();
}

void Form1::connectHandlers()
{
    // Every handler runs inside the dispatcher, which stops and reports an
    // error before it could unwind through Qt.
    for (const layout::Control& control : layout::Controls) {
        const std::string_view name = control.name;
        const auto click = [this, name] { Dispatch([this, name] { Click(name); }); };
        auto* button = findChild<QAbstractButton*>(QString::fromLatin1(name));
        if (control.kind == layout::Kind::PushButton) {
            m_enterPresses->watch(button);
            connect(button, &QAbstractButton::clicked, this, click);
        } else if (control.kind == layout::Kind::OptionButton) {
            // The mouse and the keyboard choose an option button by clicking
            // it; a screen reader's "toggle" action only checks it. So a new
            // choice runs the handler as the button becomes checked, and a
            // click on the button already chosen runs it as the click ends:
            // once per choice either way.
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
    }
}

void Form1::centreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
}

bool Form1::isChosen(std::string_view option) const
{
    return findChild<const QRadioButton*>(QString::fromLatin1(option))->isChecked();
}

void Form1::setNameText(const std::u16string& text)
{
    TextName->setText(QString::fromStdU16String(text));
}

void Form1::announce(const std::u16string& text)
{
    m_announcer->announce(QString::fromStdU16String(text));
}

} // namespace ui
