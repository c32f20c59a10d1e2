// The Windows launcher under wine: an address reaches the shell only when
// the system code page holds every character of it. The wine test reads,
// from its stand-in browser, which of these addresses were handed over.

#include "ui/win32/openwebpage.h"
#include "wine/checks/checks.h"

#include <windows.h>

#include <optional>
#include <string>

int main()
{
    testing::Checks check;
    constexpr std::int32_t lastRefusal = 32; // the shell answers a refusal with 32 or less
    constexpr unsigned westernEuropean = 1252;
    constexpr unsigned cyrillic = 1251;
    using links::ToCodePageLosslessly;

    check(ToCodePageLosslessly(u"café", westernEuropean) == std::string("caf\xE9"),
          "é is one byte in code page 1252");
    check(!ToCodePageLosslessly(u"café", cyrillic), "é, missing from code page 1251, is refused");
    check(ToCodePageLosslessly(u"кафе", cyrillic) == std::string("\xEA\xE0\xF4\xE5"),
          "Cyrillic converts in code page 1251");
    check(!ToCodePageLosslessly(u"кафе", westernEuropean), "Cyrillic is refused in code page 1252");
    check(ToCodePageLosslessly(u"café кафе", CP_UTF8) ==
              std::string("caf\xC3\xA9 \xD0\xBA\xD0\xB0\xD1\x84\xD0\xB5"),
          "UTF-8 holds every character");
    check(!ToCodePageLosslessly(u"caf\xD800", CP_UTF8), "a lone surrogate is refused in UTF-8");
    check(!ToCodePageLosslessly(u"caf\xD800", westernEuropean),
          "a lone surrogate is refused in code page 1252");

    // No single-byte code page holds Cyrillic and Greek together.
    check(GetACP() != CP_UTF8, "the system code page is a single-byte one here");
    check(links::OpenWebPage(u"http://кафе-καφέ.example/") <= lastRefusal,
          "an address the system code page cannot hold is refused");
    check(links::OpenWebPage(u"http://example.example/\xD800") <= lastRefusal,
          "an address with broken UTF-16 is refused");
    APTTYPE apartment;
    APTTYPEQUALIFIER qualifier;
    check(CoGetApartmentType(&apartment, &qualifier) == CO_E_NOTINITIALIZED,
          "no COM apartment before the first address reaches the shell");
    check(links::OpenWebPage(u"http://café.example/") > lastRefusal,
          "an address the system code page holds is handed to the shell");
    check(CoGetApartmentType(&apartment, &qualifier) == S_OK &&
              (apartment == APTTYPE_MAINSTA || apartment == APTTYPE_STA) &&
              CoInitializeEx(nullptr, COINIT_MULTITHREADED) == RPC_E_CHANGED_MODE,
          "the shell is called from a single-threaded apartment, which stays");
    return check.finish();
}
