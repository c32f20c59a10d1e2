// A program whose start-up form fails in Load, run by tst_windowengine to
// see the whole engine path: reported, never shown, non-zero exit status.

#include "ui/qt/windowengine.h"

#include <QFileInfo>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <new>

namespace {

class FailingLoadForm : public QWidget
{
public:
    void Form_Load()
    {
        // The program name Qt was handed, which must never be missing.
        const QString name = QFileInfo(QCoreApplication::arguments().value(0)).fileName();
        std::fprintf(stderr, "named: %s\n", qUtf8Printable(name));
        throw std::bad_alloc();
    }
    void showEvent(QShowEvent*) override { std::fputs("shown\n", stdout); }
};

} // namespace

int main(int argc, char* argv[])
{
    // Report on stderr only: no message box to wait for.
    ui::SetErrorReporter([](const std::u16string& message) {
        std::fprintf(stderr, "reported: %s\n", qUtf8Printable(QString::fromStdU16String(message)));
    });
    // As a start through execve with no arguments at all would have it.
    if (argc == 2 && std::strcmp(argv[1], "--argc-zero") == 0) {
        char* none[] = {nullptr};
        return ui::RunWindowEngine<FailingLoadForm>(0, none);
    }
    return ui::RunWindowEngine<FailingLoadForm>(argc, argv);
}
