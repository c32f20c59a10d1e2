// The program with a window whose Load fails, as a fill that runs out of
// memory would: run by tests/qt/windowengine and, built for Windows, by the
// wine test, to see the whole engine path: reported, never shown (the
// message loop would keep it running), status 1.

#include "names/randomsource.h"
#ifdef _WIN32
#include "ui/win32/form1.h"
#include "ui/win32/windowengine.h"
#else
#include "ui/qt/form1.h"
#include "ui/qt/windowengine.h"

#include <QFileInfo>
#endif

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace {

class FailingRandom final : public names::RandomSource
{
public:
    void reseed(float) override
    {
#ifndef _WIN32
        // The program name Qt was handed, which must never be missing.
        const QString name = QFileInfo(QCoreApplication::arguments().value(0)).fileName();
        std::printf("named: %s\n", qUtf8Printable(name));
#endif
        throw std::bad_alloc();
    }
    double next() override
    {
        return 0.0;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    FailingRandom random;
    // Reported in the output, not in a message box to wait for.
    ui::Form1Parts parts{.random = random, .reportError = [](const std::u16string& message) {
                             std::printf("reported: %s\n",
                                         std::string(message.begin(), message.end()).c_str());
                         }};
    // As a start through execve with no arguments at all would have it.
    if (argc == 2 && std::strcmp(argv[1], "--argc-zero") == 0) {
        char* none[] = {nullptr};
        return ui::RunWindowEngine<ui::Form1>(0, none, std::move(parts));
    }
    return ui::RunWindowEngine<ui::Form1>(argc, argv, std::move(parts));
}
