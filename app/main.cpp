// The program entry on every platform: starts the window engine with the
// main window, Form1, as its start-up object. The command line is ignored.

#if defined(_WIN32)
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#elif defined(__EMSCRIPTEN__)
#include "ui/web/form1.h"
#include "ui/web/windowengine.h"
#else
#include "ui/qt/form1.h"
#include "ui/qt/windowengine.h"
#endif

int main(int argc, char* argv[])
{
    return ui::RunWindowEngine<ui::Form1>(argc, argv);
}
