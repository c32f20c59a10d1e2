// The baselines for the start-up and memory benchmarks: the plainest Qt 6
// Widgets program with a window of the same size as ours and, built with
// BARE_WINDOW_WITH_TEXT, the same with one line of text, which makes Qt set
// up its fonts as any window with a caption must; with BARE_WINDOW_IN_OUR_FONT
// as well, that text is in the program's own font.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
#ifdef BARE_WINDOW_IN_OUR_FONT
    // As the program sets it: Liberation Sans (its stand-in for MS Sans Serif)
    // at 8.25 points, without fallback fonts.
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    font.setStyleStrategy(QFont::NoFontMerging);
    QApplication::setFont(font);
#endif
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(449, 209);
#ifdef BARE_WINDOW_WITH_TEXT
    new QLabel(QStringLiteral("Velmora 2"), &window);
#endif
    window.show();
    return app.exec();
}
