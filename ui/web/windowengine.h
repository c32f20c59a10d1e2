#pragma once

#include "ui/eventdispatch.h"

#include <cstdlib>

namespace ui {

// The program's life in a web page: create the start-up form, load it and
// show it. The form lives as long as the page; the browser runs its events.
template <typename StartupForm, typename... Arguments> int RunWindowEngine(Arguments&... arguments)
{
    static StartupForm form(arguments...);
    return LoadThenShow(form) ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace ui
