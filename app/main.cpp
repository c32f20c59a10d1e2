#include "ui/qt/form1.h"
#include "ui/qt/windowengine.h"

#include <QCoreApplication>

namespace {

// On a Wayland desktop the window still goes to the desktop's X server
// (XWayland) when there is one: there the desktop's own window manager draws
// the title bar and honours its close box only, while a Wayland window of
// Qt 6.4 gets Qt's stock title bar with minimise and maximise buttons on
// desktops that draw none (GNOME) and a minimise button where they do (KDE).
// A platform the user names in QT_QPA_PLATFORM still wins. The choice is
// taken back once Qt has started, so that programs started from here (the
// browser) make their own.
void PreferTheDesktopsXServer()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY")) {
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
