#pragma once

// Picture1's kind: a borderless box that shows one image unscaled from its
// top-left corner and can take the focus, showing a focus rectangle then.

#include <windows.h>

namespace ui {

inline constexpr wchar_t PictureBoxClass[] = L"Velmora2PictureBox";

// An image the program owns, as a device-independent bitmap.
class Picture
{
public:
    Picture(HBITMAP bitmap, SIZE size) : m_bitmap(bitmap), m_size(size) {}
    Picture(Picture&& other) noexcept : m_bitmap(other.m_bitmap), m_size(other.m_size)
    {
        other.m_bitmap = nullptr;
    }
    ~Picture()
    {
        if (m_bitmap != nullptr) {
            DeleteObject(m_bitmap);
        }
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    Picture& operator=(Picture&&) = delete;

    HBITMAP handle() const { return m_bitmap; }
    SIZE size() const { return m_size; }

private:
    HBITMAP m_bitmap;
    SIZE m_size;
};

// A bitmap resource of the program at its own size times dpi / 96, so that
// the image keeps its place beside the scaled layout: pixel for pixel at
// 96 dpi, smoothly resampled above.
Picture LoadBitmapResource(int resourceId, int dpi);

void RegisterPictureBoxClass();

// Shows picture in box, which takes the picture's size. The box does not own it.
void ShowPicture(HWND box, const Picture& picture);

} // namespace ui
