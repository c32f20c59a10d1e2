#include "ui/form1.h"

#include "links/module1.h"
#include "links/webaddresses.h"
#include "names/namepicker.h"
#include "ui/appearance.h"
#include "ui/windowengine.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUrl>

#include <utility>

using namespace Qt::StringLiterals;

namespace ui {

namespace {

// The layout is drawn up in twips, 1/1440 inch: 15 twips are one pixel at
// 96 dpi, which is what Qt's device-independent pixels stand for.
constexpr int TwipsPerPixel = 15;

constexpr QRect twips(int left, int top, int width, int height)
{
    return {left / TwipsPerPixel, top / TwipsPerPixel, width / TwipsPerPixel,
            height / TwipsPerPixel};
}

constexpr QSize ClientArea{6735 / TwipsPerPixel, 3135 / TwipsPerPixel};

template <typename Control>
Control* place(Control* control, const QString& name, const QRect& geometry)
{
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption,
                     const QRect& geometry)
{
    return place(new QGroupBox(caption, parent), name, geometry);
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& geometry)
{
    auto* button = place(new QPushButton(caption, parent), name, geometry);
    button->setAutoDefault(false);
    // The face is painted in the button's own colour, white; the caption
    // keeps the system's button-text colour.
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, White);
    button->setPalette(palette);
    return button;
}

QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& caption,
                         const QRect& geometry)
{
    auto* option = place(new QRadioButton(caption, parent), name, geometry);
    // Drawn like a label: window colours, not button colours.
    option->setBackgroundRole(QPalette::Window);
    option->setForegroundRole(QPalette::WindowText);
    return option;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                  const QFont& font)
{
    auto* label = place(new QLabel(text, parent), name, geometry);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font);
    label->setAutoFillBackground(true); // opaque navy, like the window
    return label;
}

// Gives a control the system's own window colours instead of the navy
// the window hands down to its children.
void useSystemColours(QWidget* control)
{
    const QPalette system = QGuiApplication::palette();
    QPalette palette = control->palette();
    for (const auto role :
         {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text}) {
        palette.setColor(role, system.color(role));
    }
    control->setPalette(palette);
}

QString hostOf(std::u16string_view address)
{
    return QUrl(QString::fromUtf16(address.data(), static_cast<qsizetype>(address.size()))).host();
}

} // namespace

Form1::Form1(names::RandomSource& random, WebPageOpener openWebPage)
    : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      m_random(random),
      m_openWebPage(openWebPage ? std::move(openWebPage) : WebPageOpener(links::OpenWebPage))
{
    setObjectName(u"Form1"_s);
    setWindowTitle(WindowTitle());
    setWindowIcon(QIcon(u":/ui/assets/icon.ico"_s));
    setFont(WindowFont());
    setFixedSize(ClientArea);

    createControls();
    applyColours();
    setTabOrder();
    connectHandlers();
    centreOnScreen();
}

void Form1::createControls()
{
    Picture1 = new QLabel(this);
    Picture1->setObjectName(u"Picture1"_s);
    const QPixmap banner(u":/ui/assets/banner.jpg"_s);
    Picture1->setPixmap(banner);
    // Always exactly the size of its image, shown unscaled from the top left.
    Picture1->setGeometry(QRect(twips(4680, 120, 1875, 1785).topLeft(), banner.size()));
    Picture1->setAccessibleName(u"Velmora 2 Name Generator banner"_s);
    Picture1->setAccessibleDescription(
        u"Title artwork of the game Velmora 2 above the words NAME GENERATOR"_s);

    Frame4 = makeFrame(this, u"Frame4"_s, u"About:"_s, twips(120, 1920, 6495, 1095));
    Command4 = makeButton(Frame4, u"Command4"_s, u"Velmora Workshop"_s, twips(120, 600, 1935, 375));
    Command2 = makeButton(Frame4, u"Command2"_s, u"Dornwick"_s, twips(120, 240, 1935, 375));
    Label5 = makeLabel(Frame4, u"Label5"_s, hostOf(links::VelmoraWorkshopHomePage),
                       twips(4440, 720, 1695, 255), WindowFont());
    Label4 = makeLabel(Frame4, u"Label4"_s, hostOf(links::DornwickHomePage),
                       twips(4440, 480, 1455, 255), WindowFont());
    Label6 = makeLabel(Frame4, u"Label6"_s, u"On the web:"_s, twips(4440, 240, 1695, 255),
                       BoldWindowFont());
    Label7 = makeLabel(Frame4, u"Label7"_s, u"The Velmora fan crew"_s, twips(2280, 480, 1815, 255),
                       WindowFont());
    Label8 = makeLabel(Frame4, u"Label8"_s, u"Names by:"_s, twips(2280, 240, 1455, 255),
                       BoldWindowFont());

    Frame3 = makeFrame(this, u"Frame3"_s, u"Generate:"_s, twips(2400, 120, 2175, 735));
    Command1 = makeButton(Frame3, u"Command1"_s, u"Generate Name"_s, twips(120, 240, 1935, 375));

    Frame2 = makeFrame(this, u"Frame2"_s, u"Generated Name:"_s, twips(120, 960, 4455, 855));
    TextName = place(new QLineEdit(Frame2), u"TextName"_s, twips(120, 360, 4215, 285));
    // Read-only for the user, yet selectable so the name can be copied.
    TextName->setReadOnly(true);
    TextName->setAccessibleName(u"Generated Name"_s);

    Frame1 = makeFrame(this, u"Frame1"_s, u"Gender:"_s, twips(120, 120, 2175, 735));
    OptionFemale = makeOption(Frame1, u"OptionFemale"_s, u"Female"_s, twips(1080, 360, 975, 255));
    OptionMale = makeOption(Frame1, u"OptionMale"_s, u"Male"_s, twips(120, 360, 975, 255));
}

void Form1::applyColours()
{
    // Navy and white for the window; frames, option buttons and labels
    // inherit them. Buttons, the name box and the banner set their own.
    QPalette navy = palette();
    navy.setColor(QPalette::Window, Navy);
    navy.setColor(QPalette::WindowText, White);
    setPalette(navy);

    useSystemColours(TextName);
    useSystemColours(Picture1);
}

void Form1::setTabOrder()
{
    // Frames and labels never take the focus; the banner does, last.
    Picture1->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(OptionMale, OptionFemale);
    QWidget::setTabOrder(OptionFemale, TextName);
    QWidget::setTabOrder(TextName, Command1);
    QWidget::setTabOrder(Command1, Command4);
    QWidget::setTabOrder(Command4, Command2);
    QWidget::setTabOrder(Command2, Picture1);
    OptionMale->setFocus();
}

void Form1::connectHandlers()
{
    // Every handler runs inside the dispatcher, which stops and reports an
    // error before it could unwind through Qt.
    const auto onClick = [this](QAbstractButton* button, void (Form1::*handler)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, handler] { Dispatch([this, handler] { (this->*handler)(); }); });
    };
    onClick(Command1, &Form1::Command1_Click);
    onClick(OptionMale, &Form1::OptionMale_Click);
    onClick(OptionFemale, &Form1::OptionFemale_Click);
    onClick(Command2, &Form1::Command2_Click);
    onClick(Command4, &Form1::Command4_Click);
}

void Form1::centreOnScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
}

void Form1::Form_Load()
{
    names::SeedRandom(m_random);
    names::FillNameTables(m_names);
}

void Form1::Command1_Click()
{
    names::GenerateName(
        OptionMale->isChecked(), OptionFemale->isChecked(), m_names, m_random,
        [this](const std::u16string& name) { TextName->setText(QString::fromStdU16String(name)); });
}

void Form1::OptionMale_Click()
{
    TextName->setText(QString());
}

void Form1::OptionFemale_Click()
{
    TextName->setText(QString());
}

void Form1::Command2_Click()
{
    const std::u16string address(links::DornwickHomePage);
    m_openWebPage(address);
}

void Form1::Command4_Click()
{
    const std::u16string address(links::VelmoraWorkshopHomePage);
    m_openWebPage(address);
}

} // namespace ui
