#include "ui/qt/form1.h"
#include "ui/qt/windowengine.h"

#include <QCoreApplication>

namespace {

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

int main(int argc, char* argv[])
{
    PreferTheDesktopsXServer();
    return ui::RunWindowEngine<ui::Form1>(argc, argv);
}
