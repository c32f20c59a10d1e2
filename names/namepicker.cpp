#include "names/namepicker.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace names {

int IndexForDraw(double r)
{
    // Written so that NaN fails the test too.
    if (!(r >= 0.0 && r < 1.0)) {
        // The shortest text that reads back as r, the same in every locale.
        char text[32];
        const std::to_chars_result written = std::to_chars(text, text + sizeof text, r);
        throw std::out_of_range("Subscript out of range: random draw " +
                                std::string(text, written.ptr) + " is outside [0, 1)");
    }
    return static_cast<int>(std::floor(r * NameTableSize));
}

std::u16string PickName(const NameTable& table, RandomSource& source)
{
    return table.at(IndexForDraw(source.next()));
}

} // namespace names
