#include "ui/win32/picturebox.h"

#include <stdexcept>

namespace ui {

namespace {

// A memory device context with bitmap selected into it, for as long as it lives.
class BitmapContext
{
public:
    explicit BitmapContext(HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(nullptr)), m_previous(SelectObject(m_dc, bitmap))
    {
    }
    ~BitmapContext()
    {
        SelectObject(m_dc, m_previous);
        DeleteDC(m_dc);
    }
    BitmapContext(const BitmapContext&) = delete;
    BitmapContext& operator=(const BitmapContext&) = delete;

    HDC handle() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

SIZE sizeOf(HBITMAP bitmap)
{
    BITMAP format = {};
    GetObjectW(bitmap, sizeof(format), &format);
    return {format.bmWidth, format.bmHeight};
}

// picture resampled to size, averaging the pixels each new one covers.
Owned<HBITMAP> scaled(HBITMAP picture, SIZE size)
{
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = size.cx;
    format.bmiHeader.biHeight = -size.cy; // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Owned<HBITMAP> result(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!result) {
        throw std::runtime_error("There is no memory for the banner picture");
    }
    const BitmapContext source(picture);
    const BitmapContext target(result.get());
    SetStretchBltMode(target.handle(), HALFTONE);
    SetBrushOrgEx(target.handle(), 0, 0, nullptr);
    const SIZE from = sizeOf(picture);
    if (!StretchBlt(target.handle(), 0, 0, size.cx, size.cy, source.handle(), 0, 0, from.cx,
                    from.cy, SRCCOPY)) {
        throw std::runtime_error("The banner picture could not be scaled");
    }
    return result;
}

LRESULT CALLBACK pictureBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(box, &paint);
        const auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(box, GWLP_USERDATA));
        RECT client;
        GetClientRect(box, &client);
        if (bitmap != nullptr) {
            BitBlt(dc, 0, 0, client.right, client.bottom, BitmapContext(bitmap).handle(), 0, 0,
                   SRCCOPY);
        }
        const bool focusHidden = (SendMessageW(box, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
        if (GetFocus() == box && !focusHidden) {
            DrawFocusRect(dc, &client);
        }
        EndPaint(box, &paint);
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
        InvalidateRect(box, nullptr, FALSE);
        break;
    case WM_LBUTTONDOWN:
        SetFocus(box);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(box, message, wParam, lParam);
}

} // namespace

Owned<HBITMAP> LoadBitmapResource(int resourceId, int dpi)
{
    // A device-independent bitmap, as the build made it: nothing to decode.
    Owned<HBITMAP> picture(
        static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resourceId),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!picture) {
        throw std::runtime_error("The banner picture is missing from the program");
    }
    if (dpi == USER_DEFAULT_SCREEN_DPI) {
        return picture;
    }
    const SIZE size = sizeOf(picture.get());
    return scaled(picture.get(), {MulDiv(size.cx, dpi, USER_DEFAULT_SCREEN_DPI),
                                  MulDiv(size.cy, dpi, USER_DEFAULT_SCREEN_DPI)});
}

void RegisterPictureBoxClass()
{
    WNDCLASSEXW boxClass = {};
    boxClass.cbSize = sizeof(boxClass);
    boxClass.lpfnWndProc = pictureBoxProcedure;
    boxClass.hInstance = GetModuleHandleW(nullptr);
    boxClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    boxClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    boxClass.lpszClassName = PictureBoxClass;
    if (RegisterClassExW(&boxClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        throw std::runtime_error("The picture box class could not be registered");
    }
}

void ShowPicture(HWND box, HBITMAP picture)
{
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture));
    const SIZE size = sizeOf(picture);
    SetWindowPos(box, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace ui
