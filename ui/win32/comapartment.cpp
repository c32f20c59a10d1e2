#include "ui/win32/comapartment.h"

#include <objbase.h>

namespace links {

void EnsureComApartment()
{
    // Never left: it lasts as long as the thread, the program's only one.
    // A thread already in an apartment keeps it, and that one serves as well.
    [[maybe_unused]] static const HRESULT entered =
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

} // namespace links
