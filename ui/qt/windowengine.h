#pragma once

#include <QApplication>
#include <QString>

#include <cstdlib>
#include <functional>
#include <memory>

namespace ui {

// Shows the user an error that ended an action of the program.
using ErrorReporter = std::function<void(const QString& message)>;

// Replaces how errors are shown. The default, which an empty reporter brings
// back, writes a line on stderr and opens a message box; while that box is
// open, further errors go to stderr only.
void SetErrorReporter(ErrorReporter reporter);

// Reports the error being handled, the one that ended a handler. Reporting
// never ends the program: should the reporter itself fail, a line on stderr
// is all that is left.
void ReportCurrentError() noexcept;

// The event dispatcher: runs one handler of the program. An error that ends
// the handler stops here and is reported, so it never unwinds through Qt,
// and the program goes on with its window and state as they were. Returns
// whether the handler ran to its end.
template <typename Handler> bool Dispatch(Handler&& handler) noexcept
{
    try {
        handler();
        return true;
    } catch (...) {
        ReportCurrentError();
    }
    return false;
}

// The application object of the program. Event handlers reach the program
// through Dispatch; notify() puts the same net under every other event Qt
// delivers, so nothing thrown can reach Qt's event loop.
class EngineApplication : public QApplication
{
public:
    EngineApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Raises Load of form exactly once and shows form only after load returned.
// A failed Load is reported and the form stays hidden; returns whether it loaded.
template <typename Form> bool LoadThenShow(Form& form)
{
    if (!Dispatch([&form] { form.Form_Load(); })) {
        return false;
    }
    form.show();
    return true;
}

// Makes the application object, or ends the process with one plain
// sentence on stderr when no display can be reached. Of the command line
// only the program's name is used, and a fixed one stands in when the
// program was started without any (argc == 0).
std::unique_ptr<EngineApplication> StartEngine(int argc, char** argv);

// The program's life: start the engine, create the start-up form, load it,
// show it and run events until the window closes. Command-line arguments
// are ignored.
template <typename StartupForm> int RunWindowEngine(int argc, char** argv)
{
    const std::unique_ptr<EngineApplication> app = StartEngine(argc, argv);
    StartupForm form;
    if (!LoadThenShow(form)) {
        return EXIT_FAILURE;
    }
    return app->exec();
}

} // namespace ui
