#pragma once

#include "ui/eventdispatch.h"
#include "ui/form1behaviour.h"

#include <QApplication>

#include <cstdlib>
#include <memory>
#include <utility>

namespace ui {

// The application object of the program. Event handlers reach the program
// through Dispatch; notify() puts the same net under every other event Qt
// delivers, so nothing thrown can reach Qt's event loop.
class EngineApplication : public QApplication
{
public:
    EngineApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Makes the application object, or ends the process with one plain
// sentence on stderr when no display can be reached. Of the command line
// only the program's name is used, and a fixed one stands in when the
// program was started without any (argc == 0).
std::unique_ptr<EngineApplication> StartEngine(int argc, char** argv);

// The program's life: start the engine, create the start-up form, load it,
// show it and run events until the window closes. Command-line arguments
// are ignored.
template <typename StartupForm> int RunWindowEngine(int argc, char** argv, Form1Parts parts = {})
{
    const std::unique_ptr<EngineApplication> app = StartEngine(argc, argv);
    StartupForm form(std::move(parts));
    if (!LoadThenShow(form)) {
        return EXIT_FAILURE;
    }
    return app->exec();
}

} // namespace ui
