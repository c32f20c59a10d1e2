#pragma once

#include "ui/eventdispatch.h"
#include "ui/form1behaviour.h"

#include <cstdlib>
#include <utility>

namespace ui {

// The program's life in a web page: create the start-up form, load it and
// show it. The form lives as long as the page; the browser runs its events.
// There is no command line.
template <typename StartupForm> int RunWindowEngine(int, char**, Form1Parts parts = {})
{
    static StartupForm form(std::move(parts));
    return LoadThenShow(form) ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace ui
