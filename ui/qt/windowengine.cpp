#include "ui/qt/windowengine.h"

#include "ui/qt/appearance.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QStringList>

#include <cstdio>
#include <utility>

namespace ui {

namespace {

// Messages Qt gives while it connects to the display, held back until it
// is known whether the connection worked.
QStringList& startupMessages()
{
    static QStringList messages;
    return messages;
}

// When Qt cannot reach a display it says so in several messages and then
// aborts. Catch the fatal one and leave with a single plain sentence instead.
void startupMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "Velmora 2 Name Generator needs a graphical desktop, "
                             "and no display could be opened.\n");
        std::_Exit(EXIT_FAILURE);
    }
    startupMessages().append(message);
}

// On a Wayland desktop the window goes to the desktop's X server (XWayland),
// and to Wayland only when that fails. There the desktop's own window
// manager draws the title bar and honours its close box only; a Wayland
// window of Qt 6.4 gets Qt's stock title bar, with minimise and maximise
// buttons, where the desktop draws none (GNOME), and where it does (KDE)
// Wayland has no way to ask it for no minimise button. A platform named in
// QT_QPA_PLATFORM still wins. The choice is taken back once Qt has started,
// so that programs started from here (the browser) make their own.
void PreferTheDesktopsXServer()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
        qAddPreRoutine([] { qunsetenv("QT_QPA_PLATFORM"); });
    }
}

} // namespace

namespace engine {

std::u16string FromSystemCodePage(std::string_view text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()))
        .toStdU16String();
}

void WriteErrorLine(const std::u16string& line)
{
    std::fprintf(stderr, "%s\n", qUtf8Printable(QString::fromStdU16String(line)));
}

void ShowErrorBox(const std::u16string& message)
{
    QMessageBox::critical(QApplication::activeWindow(), WindowTitle(),
                          QString::fromStdU16String(message));
}

} // namespace engine

EngineApplication::EngineApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool EngineApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    Dispatch([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

std::unique_ptr<EngineApplication> StartEngine(int argc, char** argv)
{
    // The program takes no arguments, and Qt gets none either: options such
    // as -reverse or -stylesheet would change the window or read a file.
    static int programNameOnly = 1;
    static char fixedName[] = "velmora2-name-generator";
    static char* arguments[] = {argc > 0 && argv[0] != nullptr ? argv[0] : fixedName, nullptr};
    PreferTheDesktopsXServer();
    const QtMessageHandler previous = qInstallMessageHandler(startupMessageHandler);
    auto app = std::make_unique<EngineApplication>(programNameOnly, arguments);
    qInstallMessageHandler(previous);
    for (const QString& message : std::as_const(startupMessages())) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
    }
    startupMessages().clear();
    PrepareAppearance();
    return app;
}

} // namespace ui
