// The dispatcher's three operations in a web page.

#include "ui/eventdispatch.h"
#include "ui/form1description.h"

#include <emscripten/emscripten.h>

namespace ui::engine {

namespace {

// clang-format off
EM_JS(void, writeToConsole, (const char16_t* line), {
    console.error(UTF16ToString(line));
});
EM_JS(int, decodeUtf8, (const char* text, int length, char16_t* decoded), {
    const string = new TextDecoder().decode(HEAPU8.subarray(text, text + length));
    for (let at = 0; at < string.length; ++at) {
        HEAPU16[(decoded >> 1) + at] = string.charCodeAt(at);
    }
    return string.length;
});
EM_JS(void, showErrorDialog, (const char16_t* title, const char16_t* message), {
    velmoraShowErrorDialog(UTF16ToString(title), UTF16ToString(message));
});
// clang-format on

} // namespace

// The runtime's texts are UTF-8 on the web, decoded as the browser decodes
// a page: what is not valid UTF-8 shows as U+FFFD rather than being dropped.
// No text has more UTF-16 units than UTF-8 bytes.
std::u16string FromSystemCodePage(std::string_view text)
{
    std::u16string decoded(text.size(), u'\0');
    decoded.resize(static_cast<std::size_t>(
        decodeUtf8(text.data(), static_cast<int>(text.size()), decoded.data())));
    return decoded;
}

// The browser's console.
void WriteErrorLine(const std::u16string& line)
{
    writeToConsole(line.c_str());
}

void ShowErrorBox(const std::u16string& message)
{
    const std::u16string title(description::Title);
    showErrorDialog(title.c_str(), message.c_str());
}

} // namespace ui::engine
