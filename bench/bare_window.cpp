// The baselines for the start-up and memory benchmarks: the plainest Qt 6
// Widgets program with a window of the same size as ours and, built with
// BARE_WINDOW_WITH_TEXT, the same with one line of text, which makes Qt set
// up its fonts as any window with a caption must.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(449, 209);
#ifdef BARE_WINDOW_WITH_TEXT
    new QLabel(QStringLiteral("Velmora 2"), &window);
#endif
    window.show();
    return app.exec();
}
