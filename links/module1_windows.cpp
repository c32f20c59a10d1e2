// The Windows launcher: hands the address to ShellExecuteA. Kept free of Qt
// so it also builds with a bare Windows toolchain.

#include "links/module1.h"

#include <stdexcept>
#include <string>
#include <string_view>

#include <windows.h>

#include <shellapi.h>

namespace links {

namespace {

// The shell's "file not found" result, for an address it must never see.
constexpr std::int32_t RefusedAddress = SE_ERR_FNF;

// Converts UTF-16 text to the system's 8-bit code page (characters it lacks
// become the code page's default character).
std::string toSystemCodePage(std::u16string_view text)
{
    if (text.empty()) {
        return {};
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int wideLength = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, wideLength, nullptr, 0, nullptr, nullptr);
    if (size <= 0) {
        throw std::runtime_error("The web address cannot be converted to the system code page");
    }
    std::string narrow(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, wideLength, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

} // namespace

std::int32_t OpenWebPage(const std::u16string& address)
{
    // A NUL inside the address would cut it short and open some other page.
    if (address.find(u'\0') != std::u16string::npos) {
        return RefusedAddress;
    }
    HWND desktop = GetDesktopWindow();
    // The three 8-bit copies are released on every way out of this function.
    const std::string operation = toSystemCodePage(u"Open");
    const std::string file = toSystemCodePage(address);
    const std::string directory = toSystemCodePage(u"C:\\");
    HINSTANCE result = ShellExecuteA(desktop, operation.c_str(), file.c_str(), nullptr,
                                     directory.c_str(), SW_SHOWNORMAL);
    return static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(result));
}

} // namespace links
