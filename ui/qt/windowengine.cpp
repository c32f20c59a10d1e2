#include "ui/qt/windowengine.h"

#include "ui/qt/appearance.h"

#include <QMessageBox>
#include <QScopeGuard>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <utility>

using namespace Qt::StringLiterals;

namespace ui {

namespace {

void reportToUser(const QString& message)
{
    std::fprintf(stderr, "velmora2-name-generator: error: %s\n", qUtf8Printable(message));
    // The box runs events of its own, its painting included; an error among
    // them must not open a second box, and so on without end.
    static bool boxOpen = false;
    if (boxOpen) {
        return;
    }
    boxOpen = true;
    const auto closed = qScopeGuard([] { boxOpen = false; });
    QMessageBox::critical(QApplication::activeWindow(), WindowTitle(), message);
}

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

ErrorReporter& currentReporter()
{
    static ErrorReporter reporter = reportToUser;
    return reporter;
}

} // namespace

void SetErrorReporter(ErrorReporter reporter)
{
    currentReporter() = reporter ? std::move(reporter) : ErrorReporter(reportToUser);
}

void ReportCurrentError() noexcept
{
    try {
        QString message = u"The action stopped because of an unknown error."_s;
        try {
            throw;
        } catch (const std::exception& error) {
            message = u"The action stopped because of an error:\n"_s +
                      QString::fromLocal8Bit(error.what());
        } catch (...) {
        }
        currentReporter()(message);
    } catch (...) {
        std::fputs("velmora2-name-generator: error: an action stopped, and reporting it failed\n",
                   stderr);
    }
}

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
