#pragma once

#include <QApplication>
#include <QString>

#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>

namespace ui {

// Shows the user an error that ended an action of the program.
using ErrorReporter = std::function<void(const QString& message)>;

// The application object of the program. Every event Qt delivers passes
// through notify(); an error that ends a handler stops there, is reported,
// and the program goes on with its window and state as they were.
class EngineApplication : public QApplication
{
public:
    EngineApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Runs handler; if it throws, reports the error and returns false.
    template <typename Handler>
    bool dispatch(Handler&& handler) noexcept
    {
        try {
            handler();
            return true;
        } catch (const std::exception& error) {
            report(QString::fromLocal8Bit(error.what()));
        } catch (...) {
            report(QString());
        }
        return false;
    }

    // Replaces how errors are shown (by default: a line on stderr and a message box).
    void setErrorReporter(ErrorReporter reporter);

private:
    void report(const QString& what) noexcept;

    ErrorReporter m_reporter;
};

// Raises Load of form exactly once and shows form only after load returned.
// A failed Load is reported and the form stays hidden; returns whether it loaded.
template <typename Form>
bool LoadThenShow(EngineApplication& app, Form& form)
{
    if (!app.dispatch([&form] { form.Form_Load(); })) {
        return false;
    }
    form.show();
    return true;
}

// Makes the application object for argc/argv, or ends the process with one
// plain sentence on stderr when no display can be reached.
std::unique_ptr<EngineApplication> StartEngine(int& argc, char** argv);

// The program's life: start the engine, create the start-up form, load it,
// show it and run events until the window closes. Command-line arguments are
// left to Qt's own options; the program reads none.
template <typename StartupForm>
int RunWindowEngine(int argc, char** argv)
{
    const std::unique_ptr<EngineApplication> app = StartEngine(argc, argv);
    StartupForm form;
    if (!LoadThenShow(*app, form)) {
        return EXIT_FAILURE;
    }
    return app->exec();
}

} // namespace ui
