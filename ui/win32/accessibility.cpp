#include "ui/win32/accessibility.h"

#include "ui/win32/comapartment.h"

#include <initguid.h>

#include <oleacc.h>

namespace ui {

namespace {

// The class of the annotation service, CAccPropServices, which the
// toolchain's headers declare but its libraries do not define.
constexpr CLSID AccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};

// From UI Automation's headers, which the toolchain's lack.
enum NotificationKind { NotificationKind_ActionCompleted = 2 };
enum NotificationProcessing { NotificationProcessing_ImportantMostRecent = 1 };

// The provider is an IRawElementProviderSimple; only its IUnknown part is used here.
using HostProviderFromHwnd = HRESULT(WINAPI*)(HWND, IUnknown**);
using RaiseNotificationEvent = HRESULT(WINAPI*)(IUnknown*, NotificationKind, NotificationProcessing,
                                                BSTR, BSTR);
using AllocateString = BSTR(WINAPI*)(const OLECHAR*);
using FreeString = void(WINAPI*)(BSTR);

template <typename Function> Function find(HMODULE library, const char* name)
{
    // Through a pointer to a function of no arguments, the one cast between
    // function types that the compiler accepts without a warning.
    return library == nullptr ? nullptr
                              : reinterpret_cast<Function>(
                                    reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// UI Automation's notification, loaded with its library at the first
// announcement rather than at start. Every member is null where Windows lacks it.
struct Notifications
{
    HostProviderFromHwnd hostProvider = nullptr;
    RaiseNotificationEvent raise = nullptr;
    AllocateString allocate = nullptr;
    FreeString free = nullptr;

    Notifications()
    {
        HMODULE core =
            LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        HMODULE automation = LoadLibraryExW(L"oleaut32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        hostProvider = find<HostProviderFromHwnd>(core, "UiaHostProviderFromHwnd");
        raise = find<RaiseNotificationEvent>(core, "UiaRaiseNotificationEvent");
        allocate = find<AllocateString>(automation, "SysAllocString");
        free = find<FreeString>(automation, "SysFreeString");
    }

    bool available() const { return hostProvider && raise && allocate && free; }
};

} // namespace

bool RaiseNotification(HWND source, const std::wstring& text)
{
    static const Notifications uia;
    IUnknown* provider = nullptr;
    if (!uia.available() || FAILED(uia.hostProvider(source, &provider)) || provider == nullptr) {
        return false;
    }
    BSTR display = uia.allocate(text.c_str());
    BSTR activity = uia.allocate(L"Velmora2NameGenerated");
    // The newest name matters, not every one: a quick second press
    // replaces the first announcement.
    const HRESULT raised = uia.raise(provider, NotificationKind_ActionCompleted,
                                     NotificationProcessing_ImportantMostRecent, display, activity);
    uia.free(display);
    uia.free(activity);
    provider->Release();
    return SUCCEEDED(raised);
}

ControlAnnotations::ControlAnnotations()
{
    links::EnsureComApartment();
    IAccPropServices* services = nullptr;
    // Without the service (never on Windows), the controls keep what
    // Windows says of them.
    if (SUCCEEDED(CoCreateInstance(AccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IAccPropServices, reinterpret_cast<void**>(&services)))) {
        m_services.reset(services);
    }
}

ControlAnnotations::~ControlAnnotations()
{
    if (!m_services) {
        return;
    }
    const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    for (HWND control : m_annotated) {
        m_services->ClearHwndProps(control, OBJID_CLIENT, CHILDID_SELF, properties, 2);
    }
}

void ControlAnnotations::setName(HWND control, const std::wstring& name)
{
    if (m_services && SUCCEEDED(m_services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF,
                                                           PROPID_ACC_NAME, name.c_str()))) {
        m_annotated.push_back(control);
    }
}

void ControlAnnotations::setDescription(HWND control, const std::wstring& description)
{
    if (m_services &&
        SUCCEEDED(m_services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF,
                                             PROPID_ACC_DESCRIPTION, description.c_str()))) {
        m_annotated.push_back(control);
    }
}

void ControlAnnotations::Release::operator()(IAccPropServices* services) const
{
    services->Release();
}

} // namespace ui
