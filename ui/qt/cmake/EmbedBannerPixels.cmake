# Turns the banner, decoded by djpeg into a binary PPM, into a C++ header
# of its pixels, so that the program shows it without decoding anything.
#   cmake -DPPM=<banner.ppm> -DOUTPUT=<bannerpixels.h> -P EmbedBannerPixels.cmake

file(READ "${PPM}" header LIMIT 32)
if(NOT header MATCHES "^(P6[ \t\r\n]+([0-9]+)[ \t\r\n]+([0-9]+)[ \t\r\n]+255[ \t\r\n])")
    message(FATAL_ERROR "${PPM} is not a binary PPM of 8-bit samples")
endif()
string(LENGTH "${CMAKE_MATCH_1}" header_bytes)
set(width ${CMAKE_MATCH_2})
set(height ${CMAKE_MATCH_3})
math(EXPR pixel_count "${width} * ${height}")

file(READ "${PPM}" samples OFFSET ${header_bytes} HEX)
string(LENGTH "${samples}" hex_digits)
math(EXPR expected_digits "${pixel_count} * 6")
if(NOT hex_digits EQUAL expected_digits)
    message(FATAL_ERROR "${PPM} holds ${hex_digits} hex digits of samples, not ${expected_digits}")
endif()

# Red, green and blue become one opaque 0xffRRGGBB value, eight to a line.
# (CMake's regular expressions have no {n}, hence the repeats.)
string(REPEAT "[0-9a-f]" 6 one_pixel)
string(REGEX REPLACE "(${one_pixel})" "0xff\\1," pixels "${samples}")
string(REPEAT "0xff${one_pixel}," 8 eight_pixels)
string(REGEX REPLACE "(${eight_pixels})" "\\1\n    " pixels "${pixels}")
string(STRIP "${pixels}" pixels)

file(CONFIGURE OUTPUT "${OUTPUT}" @ONLY CONTENT [=[
// The banner's pixels, made by the build from ui/assets/banner.jpg.
#pragma once

#include <array>
#include <cstdint>

namespace ui::banner {

inline constexpr int Width = @width@;
inline constexpr int Height = @height@;

// Rows from the top, each pixel 0xffRRGGBB, the layout of Qt's RGB32 images.
inline constexpr std::array<std::uint32_t, @pixel_count@> Pixels{{
    @pixels@
}};

} // namespace ui::banner
]=])
