#pragma once

// Picture1's kind: a borderless box that shows one image unscaled from its
// top-left corner and can take the focus, showing a focus rectangle then.

#include "ui/win32/appearance.h"

#include <windows.h>

namespace ui {

inline constexpr wchar_t PictureBoxClass[] = L"Velmora2PictureBox";

// A bitmap resource of the program at its own size times dpi / 96, so that
// the image keeps its place beside the scaled layout: pixel for pixel at
// 96 dpi, smoothly resampled above.
Owned<HBITMAP> LoadBitmapResource(int resourceId, int dpi);

void RegisterPictureBoxClass();

// Shows picture in box, which takes the picture's size. The box does not own it.
void ShowPicture(HWND box, HBITMAP picture);

} // namespace ui
