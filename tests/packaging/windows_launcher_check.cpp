// Links the Windows launcher into a program, so that the cross build checks
// the calls into shell32 and user32 as well as the compile.

#include "links/module1.h"
#include "links/webaddresses.h"

#include <string>

int main(int argc, char**)
{
    // Only opens a page when asked to; the build check never runs it.
    if (argc > 1) {
        const std::u16string address(links::DornwickHomePage);
        return links::OpenWebPage(address) > links::ShellSuccessAbove ? 0 : 1;
    }
    return 0;
}
