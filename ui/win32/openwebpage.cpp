#include "ui/win32/openwebpage.h"

#include "ui/win32/comapartment.h"

#include <string>
#include <string_view>

#include <windows.h>

#include <shellapi.h>

namespace links {

namespace {

// The shell's "file not found" result, for an address it must never see.
constexpr std::int32_t RefusedAddress = SE_ERR_FNF;

} // namespace

std::optional<std::string> ToCodePageLosslessly(std::u16string_view text, unsigned codePage)
{
    if (text.empty()) {
        return std::string();
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int wideLength = static_cast<int>(text.size());
    // UTF-8 holds every character, and WideCharToMultiByte refuses the
    // best-fit flag and the default-character flag for it; there only broken
    // UTF-16 can be lost. Every other code page must take each character
    // as it is, with no best-fit look-alike and no default character.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int size =
        WideCharToMultiByte(codePage, flags, wide, wideLength, nullptr, 0, nullptr, usedDefaultOut);
    if (size <= 0 || usedDefault) {
        return std::nullopt;
    }
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, wide, wideLength, narrow.data(), size, nullptr,
                        usedDefaultOut);
    return narrow;
}

std::int32_t OpenWebPage(const std::u16string& address)
{
    // A NUL inside the address would cut it short and open some other page.
    if (address.find(u'\0') != std::u16string::npos) {
        return RefusedAddress;
    }
    HWND desktop = GetDesktopWindow();
    // The three 8-bit copies are released on every way out of this function.
    const unsigned systemCodePage = GetACP();
    const std::optional<std::string> operation = ToCodePageLosslessly(u"Open", systemCodePage);
    const std::optional<std::string> file = ToCodePageLosslessly(address, systemCodePage);
    const std::optional<std::string> directory = ToCodePageLosslessly(u"C:\\", systemCodePage);
    if (!operation || !file || !directory) {
        return RefusedAddress;
    }
    // The shell may hand the address to extensions that are COM objects.
    EnsureComApartment();
    HINSTANCE result = ShellExecuteA(desktop, operation->c_str(), file->c_str(), nullptr,
                                     directory->c_str(), SW_SHOWNORMAL);
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
}

} // namespace links
