#include "ui/win32/picturebox.h"

#include <stdexcept>
#include <utility>

#include <objbase.h>
#include <wincodec.h>

namespace ui {

namespace {

// Holds one reference to a COM object and releases it.
template <typename Interface> class ComReference
{
public:
    ComReference() = default;
    ~ComReference()
    {
        if (m_object != nullptr) {
            m_object->Release();
        }
    }
    ComReference(const ComReference&) = delete;
    ComReference& operator=(const ComReference&) = delete;

    Interface* operator->() const { return m_object; }
    Interface* get() const { return m_object; }
    Interface** out() { return &m_object; }

private:
    Interface* m_object = nullptr;
};

// COM for the calling thread, for as long as the decoding takes.
class ComScope
{
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_result)) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT m_result;
};

void check(HRESULT result)
{
    if (FAILED(result)) {
        throw std::runtime_error("The banner picture could not be decoded");
    }
}

std::pair<const BYTE*, DWORD> resourceBytes(int resourceId)
{
    HMODULE program = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(program, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    HGLOBAL loaded = resource != nullptr ? LoadResource(program, resource) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        throw std::runtime_error("The banner picture is missing from the program");
    }
    return {static_cast<const BYTE*>(bytes), SizeofResource(program, resource)};
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
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ previous = SelectObject(source, bitmap);
            BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
            SelectObject(source, previous);
            DeleteDC(source);
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

Picture LoadJpegResource(int resourceId, int dpi)
{
    const auto [bytes, byteCount] = resourceBytes(resourceId);
    const ComScope com;

    ComReference<IWICImagingFactory> factory;
    check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           IID_IWICImagingFactory, reinterpret_cast<void**>(factory.out())));
    ComReference<IWICStream> stream;
    check(factory->CreateStream(stream.out()));
    check(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), byteCount));
    ComReference<IWICBitmapDecoder> decoder;
    check(factory->CreateDecoderFromStream(stream.get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                           decoder.out()));
    ComReference<IWICBitmapFrameDecode> frame;
    check(decoder->GetFrame(0, frame.out()));
    ComReference<IWICFormatConverter> converter;
    check(factory->CreateFormatConverter(converter.out()));
    check(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone,
                                nullptr, 0.0, WICBitmapPaletteTypeCustom));

    UINT width = 0;
    UINT height = 0;
    check(converter->GetSize(&width, &height));
    IWICBitmapSource* pixels = converter.get();
    ComReference<IWICBitmapScaler> scaler;
    if (dpi != USER_DEFAULT_SCREEN_DPI) {
        width = static_cast<UINT>(MulDiv(static_cast<int>(width), dpi, USER_DEFAULT_SCREEN_DPI));
        height = static_cast<UINT>(MulDiv(static_cast<int>(height), dpi, USER_DEFAULT_SCREEN_DPI));
        check(factory->CreateBitmapScaler(scaler.out()));
        check(scaler->Initialize(converter.get(), width, height, WICBitmapInterpolationModeFant));
        pixels = scaler.get();
    }

    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = static_cast<LONG>(width);
    format.bmiHeader.biHeight = -static_cast<LONG>(height); // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr) {
        throw std::runtime_error("There is no memory for the banner picture");
    }
    Picture picture(bitmap, {static_cast<LONG>(width), static_cast<LONG>(height)});
    const UINT stride = width * 4;
    check(pixels->CopyPixels(nullptr, stride, stride * height, static_cast<BYTE*>(bits)));
    return picture;
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

void ShowPicture(HWND box, const Picture& picture)
{
    SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(picture.handle()));
    SetWindowPos(box, nullptr, 0, 0, picture.size().cx, picture.size().cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace ui
