// The program entry on Windows: starts the Win32 window engine with the
// main window. The command line is ignored.

#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return ui::RunWindowEngine<ui::Form1>();
}
