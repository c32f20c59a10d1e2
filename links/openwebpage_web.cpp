// The launcher in a web browser: the address opens in a new tab, which is
// handed neither this page (noopener) nor its address (noreferrer).

#include "links/openwebpage.h"

#include <emscripten/emscripten.h>

namespace links {

namespace {

// window.open with noopener returns null whether or not a tab opened, so
// the page learns only whether the address was one it could hand over.
// clang-format off
EM_JS(int, openInNewTab, (const char16_t* address), {
    let url;
    try {
        url = new URL(UTF16ToString(address));
    } catch (error) {
        return 0;
    }
    if (url.protocol !== "http:" && url.protocol !== "https:") {
        return 0;
    }
    window.open(url.href, "_blank", "noopener,noreferrer");
    return 1;
});
// clang-format on

constexpr std::int32_t Accepted = ShellSuccessAbove + 1;
constexpr std::int32_t Refused = 0;

} // namespace

std::int32_t OpenWebPage(const std::u16string& address)
{
    return openInNewTab(address.c_str()) != 0 ? Accepted : Refused;
}

} // namespace links
