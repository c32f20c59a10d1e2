#include "ui/qt/appearance.h"

#include "ui/form1description.h"

#include <QApplication>
#include <QFontInfo>
#include <QStringList>
#include <QStyleFactory>

using namespace Qt::StringLiterals;

namespace ui {

namespace {

const QString WindowFontFamily = QString::fromLatin1(description::FontFamily);

// The stand-ins drawn to Arial's widths, which are also Helvetica's.
const QStringList ArialWidthFamilies{u"Liberation Sans"_s, u"Arimo"_s, u"Arial"_s};

} // namespace

QString WindowTitle()
{
    return QString::fromUtf16(description::Title.data(),
                              static_cast<qsizetype>(description::Title.size()));
}

void PrepareAppearance()
{
    // Qt's classic Windows style: its group boxes run the border line through
    // the middle of the caption, as Windows draws them.
    QApplication::setStyle(QStyleFactory::create(u"Windows"_s));
    // Docks and task bars match the window to the installed desktop file by
    // these: the Wayland app id is the desktop file's name, and the X11
    // window class is the application name (the desktop file's StartupWMClass).
    QGuiApplication::setDesktopFileName(u"org.example.velmora2namegen"_s);
    QCoreApplication::setApplicationName(u"velmora2-name-generator"_s);
    // Free desktops rarely have MS Sans Serif. Its stand-ins come in order of
    // fit: first the families drawn to Arial's widths, which are also
    // Helvetica's, and only then wider ones.
    QFont::insertSubstitutions(WindowFontFamily,
                               ArialWidthFamilies + QStringList{u"Nimbus Sans"_s,
                                                                u"Nimbus Sans L"_s, u"Helvetica"_s,
                                                                u"FreeSans"_s, u"DejaVu Sans"_s});
    // The window font is the application's too, and so the error box's.
    // Otherwise Qt would load the desktop's default font only for the name
    // box, which lays out its empty text in that font before it takes the
    // window's.
    QApplication::setFont(WindowFont());
}

QFont WindowFont()
{
    QFont font(WindowFontFamily);
    font.setPointSizeF(description::FontPoints);
    // Every text the window shows is plain ASCII, which each stand-in holds,
    // so Qt need not gather fallback fonts for missing letters.
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

bool HasArialWidths(const QFont& font)
{
    return ArialWidthFamilies.contains(QFontInfo(font).family());
}

QFont BoldWindowFont()
{
    QFont font = WindowFont();
    font.setWeight(QFont::Bold);
    return font;
}

} // namespace ui
