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
EM_JS(void, showErrorDialog, (const char16_t* title, const char16_t* message), {
    velmoraShowErrorDialog(UTF16ToString(title), UTF16ToString(message));
});
// clang-format on

} // namespace

// The runtime's texts are UTF-8 on the web. A byte that is not part of
// valid UTF-8 shows as U+FFFD rather than being dropped.
std::u16string FromSystemCodePage(std::string_view text)
{
    constexpr char32_t replacement = 0xFFFD;
    std::u16string result;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80         ? 1
                                   : lead >> 5 == 0x6  ? 2
                                   : lead >> 4 == 0xE  ? 3
                                   : lead >> 3 == 0x1E ? 4
                                                       : 0;
        char32_t point = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = length != 0 && at + length <= text.size();
        for (std::size_t next = 1; valid && next < length; ++next) {
            const auto byte = static_cast<unsigned char>(text[at + next]);
            valid = byte >> 6 == 0x2;
            point = point << 6 | (byte & 0x3F);
        }
        constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && point >= smallest[length] && point <= 0x10FFFF &&
                (point < 0xD800 || point > 0xDFFF);
        at += valid ? length : 1;
        point = valid ? point : replacement;
        if (point >= 0x10000) {
            result += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            result += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        } else {
            result += static_cast<char16_t>(point);
        }
    }
    return result;
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
