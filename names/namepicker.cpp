#include "names/namepicker.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace names {

namespace {

// The shortest text that reads back as r, the same in every locale.
std::string ShortestText(double r)
{
    char text[32];
#ifdef __cpp_lib_to_chars
    return {text, std::to_chars(text, text + sizeof text, r).ptr};
#else
    // Without to_chars for doubles (Emscripten's libc++), the C library's,
    // whose locale in a web page is always "C".
    for (int digits = 1;; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, r);
        if (digits == 17 || std::strtod(text, nullptr) == r) {
            return text;
        }
    }
#endif
}

} // namespace

int IndexForDraw(double r)
{
    // Written so that NaN fails the test too.
    if (!(r >= 0.0 && r < 1.0)) {
        throw std::out_of_range("Subscript out of range: random draw " + ShortestText(r) +
                                " is outside [0, 1)");
    }
    return static_cast<int>(std::floor(r * NameTableSize));
}

std::u16string PickName(const NameTable& table, RandomSource& source)
{
    return table.at(IndexForDraw(source.next()));
}

void GenerateName(bool maleChosen, bool femaleChosen, const NameTables& tables,
                  RandomSource& source, const std::function<void(const std::u16string&)>& show)
{
    if (maleChosen) {
        show(PickName(tables.MaleNames, source));
    }
    if (femaleChosen) {
        show(PickName(tables.FemaleNames, source));
    }
}

} // namespace names
