# Turns the window icon, a .ico of 16-colour images with transparency
# masks, into a C++ header of its pixels, so that the program sets its icon
# without decoding anything.
#   cmake -DICO=<icon.ico> -DOUTPUT=<iconpixels.h> -P EmbedIconPixels.cmake

file(READ "${ICO}" ico HEX)

# The little-endian unsigned number of size bytes at offset.
function(read_number offset size result)
    set(number "")
    math(EXPR last "${size} - 1")
    foreach(byte RANGE ${last})
        math(EXPR digit "(${offset} + ${byte}) * 2")
        string(SUBSTRING "${ico}" ${digit} 2 hex)
        string(PREPEND number "${hex}")
    endforeach()
    math(EXPR number "0x${number}")
    set(${result} ${number} PARENT_SCOPE)
endfunction()

read_number(2 2 type)
read_number(4 2 image_count)
if(NOT type EQUAL 1 OR image_count EQUAL 0)
    message(FATAL_ERROR "${ICO} is not an icon file")
endif()

set(arrays "")
set(images "")
math(EXPR last_image "${image_count} - 1")
foreach(image RANGE ${last_image})
    math(EXPR entry "6 + ${image} * 16")
    math(EXPR entry_offset "${entry} + 12")
    read_number(${entry_offset} 4 header)
    read_number(${header} 4 header_size)
    math(EXPR at "${header} + 4")
    read_number(${at} 4 width)
    math(EXPR at "${header} + 8")
    read_number(${at} 4 double_height)
    math(EXPR at "${header} + 14")
    read_number(${at} 2 bits_per_pixel)
    math(EXPR height "${double_height} / 2")
    if(NOT bits_per_pixel EQUAL 4)
        message(FATAL_ERROR "${ICO}: image ${image} has ${bits_per_pixel} bits a pixel, not 4")
    endif()

    # The 16-colour palette, then the colour rows and the mask rows, each
    # from the bottom up and padded to whole 32-bit words.
    math(EXPR palette "${header} + ${header_size}")
    foreach(index RANGE 15)
        math(EXPR at "${palette} + ${index} * 4")
        read_number(${at} 3 colour_${index})
    endforeach()
    math(EXPR colour_rows "${palette} + 16 * 4")
    math(EXPR colour_row_bytes "(${width} * 4 + 31) / 32 * 4")
    math(EXPR mask_rows "${colour_rows} + ${colour_row_bytes} * ${height}")
    math(EXPR mask_row_bytes "(${width} + 31) / 32 * 4")

    set(pixels "")
    math(EXPR last_row "${height} - 1")
    math(EXPR last_column "${width} - 1")
    foreach(y RANGE ${last_row})
        math(EXPR stored_row "${last_row} - ${y}")
        string(APPEND pixels "\n    ")
        foreach(x RANGE ${last_column})
            math(EXPR at "${mask_rows} + ${stored_row} * ${mask_row_bytes} + ${x} / 8")
            read_number(${at} 1 mask)
            math(EXPR transparent "(${mask} >> (7 - ${x} % 8)) & 1")
            if(transparent)
                string(APPEND pixels "0x00000000,")
                continue()
            endif()
            math(EXPR at "${colour_rows} + ${stored_row} * ${colour_row_bytes} + ${x} / 2")
            read_number(${at} 1 pair)
            math(EXPR index "(${pair} >> (4 - ${x} % 2 * 4)) & 15")
            math(EXPR argb "0xff000000 | ${colour_${index}}" OUTPUT_FORMAT HEXADECIMAL)
            string(APPEND pixels "${argb},")
        endforeach()
    endforeach()
    math(EXPR pixel_count "${width} * ${height}")
    string(APPEND arrays "
inline constexpr std::array<std::uint32_t, ${pixel_count}> Pixels${image}{{${pixels}
}};
")
    string(APPEND images "\n    Image{${width}, ${height}, Pixels${image}.data()},")
endforeach()

file(CONFIGURE OUTPUT "${OUTPUT}" @ONLY CONTENT [=[
// The window icon's images and their pixels, made by the build from ui/assets/icon.ico.
#pragma once

#include <array>
#include <cstdint>

namespace ui::icon {

// Rows from the top, each pixel 0xAARRGGBB, the layout of Qt's ARGB32
// images; a transparent pixel is 0, every other one opaque.
struct Image
{
    int width;
    int height;
    const std::uint32_t* pixels;
};
@arrays@
inline constexpr std::array<Image, @image_count@> Images{{@images@
}};

} // namespace ui::icon
]=])
