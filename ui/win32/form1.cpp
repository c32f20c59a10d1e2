#include "ui/win32/form1.h"

#include "ui/win32/openwebpage.h"
#include "ui/win32/resources.h"

#include <stdexcept>
#include <utility>

namespace ui {

namespace {

namespace layout = description;

constexpr wchar_t Form1Class[] = L"Velmora2NameGeneratorForm1";
// Fixed single border with caption, system menu and close box; no
// minimise or maximise box, and no sizing frame.
constexpr DWORD Form1Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD Form1ExStyle = WS_EX_APPWINDOW;
// Control ids are the place in the description plus this, clear of IDOK and
// IDCANCEL, which the dialog manager sends for Enter and Esc.
constexpr int FirstControlId = 100;

std::wstring widen(std::u16string_view text)
{
    return {text.begin(), text.end()};
}

layout::Rgb systemColour(int element)
{
    const COLORREF colour = GetSysColor(element);
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

Platform win32Platform(int dpi)
{
    return {dpi, systemColour(COLOR_WINDOW), systemColour(COLOR_WINDOWTEXT),
            systemColour(COLOR_BTNTEXT)};
}

struct WindowKind
{
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowKind windowKind(layout::Kind kind)
{
    switch (kind) {
    case layout::Kind::PictureBox:
        return {PictureBoxClass, 0, 0};
    case layout::Kind::Frame:
        return {L"BUTTON", BS_GROUPBOX, 0};
    case layout::Kind::PushButton:
        // Drawn by the window itself, so that the face can be white.
        return {L"BUTTON", BS_OWNERDRAW, 0};
    case layout::Kind::Label:
        return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case layout::Kind::TextBox:
        // Read-only for the user, yet selectable so the name can be copied.
        return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE};
    case layout::Kind::OptionButton:
        return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    }
    throw std::logic_error("The window has a control of an unknown kind");
}

bool isChecked(HWND option)
{
    return SendMessageW(option, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The window's frame around client, centred on the work area: the primary
// monitor less the task bar.
RECT centredFrame(const PixelRect& client)
{
    RECT frame = {0, 0, client.width, client.height};
    AdjustWindowRectEx(&frame, Form1Style, FALSE, Form1ExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + (work.right - work.left - width) / 2;
    const int top = work.top + (work.bottom - work.top - height) / 2;
    return {left, top, left + width, top + height};
}

void registerForm1Class()
{
    HINSTANCE program = GetModuleHandleW(nullptr);
    WNDCLASSEXW form1Class = {};
    form1Class.cbSize = sizeof(form1Class);
    if (GetClassInfoExW(program, Form1Class, &form1Class)) {
        return;
    }
    form1Class.hInstance = program;
    form1Class.hIcon = static_cast<HICON>(LoadImageW(program, MAKEINTRESOURCEW(VELMORA_ICON),
                                                     IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    form1Class.hIconSm = static_cast<HICON>(
        LoadImageW(program, MAKEINTRESOURCEW(VELMORA_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    form1Class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The class brush paints the navy ground; the system keeps it for the
    // life of the process.
    form1Class.hbrBackground = CreateSolidBrush(ToColorRef(layout::NavyRgb));
    form1Class.lpszClassName = Form1Class;
    RegisterEngineClass(form1Class);
}

} // namespace

Form1::Form1(Form1Parts parts, Announcer announce)
    : Form1Behaviour(std::move(parts), links::OpenWebPage), m_announce(std::move(announce))
{
    registerForm1Class();
    RegisterPictureBoxClass();

    // Made hidden, in its place at the system's scale, which is usually the
    // primary monitor's, then laid out at the scale of the monitor it landed on.
    const RECT frame = centredFrame(LayOut(win32Platform(WindowDpi(nullptr))).clientArea);
    const std::wstring title = widen(layout::Title);
    m_window = CreateWindowExW(Form1ExStyle, Form1Class, title.c_str(), Form1Style, frame.left,
                               frame.top, frame.right - frame.left, frame.bottom - frame.top,
                               nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (m_window == nullptr) {
        throw std::runtime_error("The window could not be created");
    }
    try {
        layOut(WindowDpi(m_window));
        placeFrame(centredFrame(m_layout.clientArea));
        fitClientArea();
    } catch (...) {
        DestroyWindow(m_window);
        throw;
    }
}

Form1::~Form1()
{
    if (m_window != nullptr) {
        // Unhooked first: a window taken down by its owner ends no message loop.
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        m_annotations.reset();
        DestroyWindow(m_window);
    }
}

// The one way the window is laid out, at start, when it makes the controls
// in their places, and whenever its scale or the system's colours change:
// every place, both fonts and the banner from the description.
void Form1::layOut(int dpi)
{
    // The new fonts and banner are taken up before the old ones go.
    Owned<HFONT> font = MakeWindowFont(dpi, layout::RegularWeight);
    Owned<HFONT> boldFont = MakeWindowFont(dpi, layout::BoldWeight);
    Owned<HBITMAP> banner = LoadBitmapResource(VELMORA_BANNER, dpi);
    m_layout = LayOut(win32Platform(dpi));
    // Made in the tab order: a new control goes below the others, and Tab
    // and the arrow keys follow the order of the windows, top down.
    for (const std::size_t index : layout::TabOrder()) {
        const PlacedControl& placed = m_layout.controls[index];
        const PixelRect& place = placed.inClientArea;
        if (m_controls[index] == nullptr) {
            m_controls[index] = createControl(placed);
        } else {
            SetWindowPos(m_controls[index], nullptr, place.left, place.top, place.width,
                         place.height, SWP_NOZORDER | SWP_NOACTIVATE);
        }
        const HFONT controlFont = (placed.weight == layout::RegularWeight ? font : boldFont).get();
        SendMessageW(m_controls[index], WM_SETFONT, reinterpret_cast<WPARAM>(controlFont), FALSE);
    }
    // The banner: always exactly the size of its image, from the top left.
    ShowPicture(control(layout::Picture1), banner.get());
    // The controls took their fonts without redrawing, each on its own: the
    // window is redrawn once, whole, if it shows.
    RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    m_font = std::move(font);
    m_boldFont = std::move(boldFont);
    m_banner = std::move(banner);
    m_dpi = dpi;
}

HWND Form1::createControl(const PlacedControl& placed)
{
    const WindowKind kind = windowKind(placed.control->kind);
    DWORD style = WS_CHILD | WS_VISIBLE | kind.style;
    style |= placed.takesFocus ? WS_TABSTOP : 0;
    style |= placed.startsGroup ? WS_GROUP : 0;
    const std::wstring caption = widen(placed.control->caption);
    const auto id = static_cast<INT_PTR>(FirstControlId + static_cast<int>(placed.control->id));
    const PixelRect& place = placed.inClientArea;
    HWND child = CreateWindowExW(kind.exStyle, kind.className, caption.c_str(), style, place.left,
                                 place.top, place.width, place.height, m_window,
                                 reinterpret_cast<HMENU>(id), GetModuleHandleW(nullptr), nullptr);
    if (child == nullptr) {
        throw std::runtime_error("A control of the window could not be created");
    }
    return child;
}

void Form1::placeFrame(const RECT& frame)
{
    SetWindowPos(m_window, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Sizes the frame so that the client area is the window's at its scale:
// nothing clipped, whatever the frame's edges take.
void Form1::fitClientArea()
{
    RECT client = {};
    GetClientRect(m_window, &client);
    const int missingWidth = m_layout.clientArea.width - client.right;
    const int missingHeight = m_layout.clientArea.height - client.bottom;
    if (missingWidth != 0 || missingHeight != 0) {
        RECT frame = {};
        GetWindowRect(m_window, &frame);
        SetWindowPos(m_window, nullptr, 0, 0, frame.right - frame.left + missingWidth,
                     frame.bottom - frame.top + missingHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// Names and descriptions for the controls whose own text says too little
// to a screen reader. Windows does not take the frame before the name box
// for its label.
void Form1::annotateControls()
{
    m_annotations = std::make_unique<ControlAnnotations>();
    for (const PlacedControl& placed : m_layout.controls) {
        HWND child = control(placed.control->id);
        if (!placed.accessibleName.empty()) {
            m_annotations->setName(child, widen(placed.accessibleName));
        }
        if (!placed.accessibleDescription.empty()) {
            m_annotations->setDescription(child, widen(placed.accessibleDescription));
        }
    }
}

void Form1::show()
{
    ShowWindow(m_window, SW_SHOWNORMAL);
    SetFocus(control(layout::FocusChain().front().id));
    UpdateWindow(m_window);
}

LRESULT Form1::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(static_cast<std::size_t>(LOWORD(wParam) - FirstControlId), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
        if (const auto brush =
                colourControl(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return *brush;
        }
        break;
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const auto index = static_cast<std::size_t>(item.CtlID - FirstControlId);
        if (item.CtlType == ODT_BUTTON && index < m_controls.size()) {
            DrawPushButton(item, ToColorRef(m_layout.controls[index].foreground));
            return TRUE;
        }
        break;
    }
    case WM_ACTIVATE:
        // A plain window forgets which control had the focus when another
        // window is activated; it is given back on return.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            m_lastFocus = IsChild(window, focus) ? focus : m_lastFocus;
        } else {
            SetFocus(m_lastFocus != nullptr ? m_lastFocus
                                            : control(layout::FocusChain().front().id));
        }
        return 0;
    case WM_DPICHANGED:
        // Moved to a monitor of another scale, or the scale was changed:
        // laid out afresh in the frame Windows suggests.
        layOut(HIWORD(wParam));
        placeFrame(*reinterpret_cast<const RECT*>(lParam));
        fitClientArea();
        return 0;
    case WM_SYSCOLORCHANGE:
        layOut(m_dpi);
        break;
    case WM_GETOBJECT:
        // A screen reader asks for the window before it reads its controls;
        // only then is the COM apartment entered for the annotations.
        if (!m_annotations) {
            annotateControls();
        }
        break;
    case WM_DESTROY:
        m_annotations.reset();
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        m_window = nullptr;
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Form1::onCommand(std::size_t index, int notification)
{
    // A double click is two clicks; Windows reports the second of them apart.
    if (index >= m_controls.size() || !m_layout.controls[index].raisesClick ||
        (notification != BN_CLICKED && notification != BN_DOUBLECLICKED)) {
        return;
    }
    // An option button is chosen when it becomes checked. Windows also
    // reports a click when one merely receives the focus; that chooses nothing.
    const layout::Control& control = *m_layout.controls[index].control;
    if (control.kind == layout::Kind::PushButton || isChecked(m_controls[index])) {
        Click(control.id);
    }
}

std::optional<LRESULT> Form1::colourControl(HDC dc, HWND control)
{
    const auto index = static_cast<std::size_t>(GetDlgCtrlID(control) - FirstControlId);
    if (index >= m_controls.size() || m_controls[index] != control) {
        return std::nullopt;
    }
    const PlacedControl& placed = m_layout.controls[index];
    SetTextColor(dc, ToColorRef(placed.foreground));
    SetBkColor(dc, ToColorRef(placed.background));
    return reinterpret_cast<LRESULT>(m_brushes.of(placed.background));
}

bool Form1::isChosen(layout::ControlId option) const
{
    return isChecked(control(option));
}

void Form1::setNameText(const std::u16string& text)
{
    if (!SetWindowTextW(control(layout::TextName),
                        reinterpret_cast<const wchar_t*>(text.c_str()))) {
        throw std::runtime_error("The name box did not take its new text");
    }
}

void Form1::announce(const std::u16string& text)
{
    m_announce(control(layout::TextName), widen(text));
}

} // namespace ui
