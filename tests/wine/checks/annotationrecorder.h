#pragma once

// Stands in for Windows' annotation service, whose wine version does not
// annotate: registered as its class, it records what the window lays over
// its controls, in which apartment, and what it clears again.

#include <windows.h>

#include <oleacc.h>

#include <map>
#include <string>
#include <utility>

namespace testing {

class AnnotationRecorder final : public IAccPropServices, public IClassFactory
{
    DWORD m_cookie = 0;

public:
    // The texts in place, by control and property (true for the description).
    std::map<std::pair<HWND, bool>, std::wstring> texts;
    // The COM apartment of the thread that laid the last text.
    APTTYPE apartment = APTTYPE_CURRENT;

    // Registers the recorder in place of the service for this thread's apartment.
    explicit AnnotationRecorder(const CLSID& service)
    {
        CoRegisterClassObject(service, static_cast<IClassFactory*>(this), CLSCTX_INPROC_SERVER,
                              REGCLS_MULTIPLEUSE, &m_cookie);
    }
    ~AnnotationRecorder() { CoRevokeClassObject(m_cookie); }
    AnnotationRecorder(const AnnotationRecorder&) = delete;
    AnnotationRecorder& operator=(const AnnotationRecorder&) = delete;

    HRESULT WINAPI QueryInterface(REFIID id, void** object) override
    {
        *object = id == IID_IAccPropServices ? static_cast<IAccPropServices*>(this)
                  : id == IID_IClassFactory || id == IID_IUnknown
                      ? static_cast<void*>(static_cast<IClassFactory*>(this))
                      : nullptr;
        return *object != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG WINAPI AddRef() override { return 2; }
    ULONG WINAPI Release() override { return 1; }

    HRESULT WINAPI CreateInstance(IUnknown*, REFIID id, void** object) override
    {
        return QueryInterface(id, object);
    }
    HRESULT WINAPI LockServer(BOOL) override { return S_OK; }

    HRESULT WINAPI SetHwndPropStr(HWND control, DWORD object, DWORD child, MSAAPROPID property,
                                  LPCWSTR text) override
    {
        if (object != static_cast<DWORD>(OBJID_CLIENT) || child != CHILDID_SELF) {
            return E_INVALIDARG;
        }
        texts[{control, property == PROPID_ACC_DESCRIPTION}] = text;
        APTTYPEQUALIFIER qualifier;
        CoGetApartmentType(&apartment, &qualifier);
        return S_OK;
    }
    HRESULT WINAPI ClearHwndProps(HWND control, DWORD, DWORD, const MSAAPROPID* properties,
                                  int count) override
    {
        for (int index = 0; index < count; ++index) {
            texts.erase({control, properties[index] == PROPID_ACC_DESCRIPTION});
        }
        return S_OK;
    }

    // The service's other methods, which the window never calls.
    // clang-format off
#define NOT_CALLED override { return E_NOTIMPL; }
    HRESULT WINAPI SetPropValue(const BYTE*, DWORD, MSAAPROPID, VARIANT) NOT_CALLED
    HRESULT WINAPI SetPropServer(const BYTE*, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) NOT_CALLED
    HRESULT WINAPI ClearProps(const BYTE*, DWORD, const MSAAPROPID*, int) NOT_CALLED
    HRESULT WINAPI SetHwndProp(HWND, DWORD, DWORD, MSAAPROPID, VARIANT) NOT_CALLED
    HRESULT WINAPI SetHwndPropServer(HWND, DWORD, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) NOT_CALLED
    HRESULT WINAPI ComposeHwndIdentityString(HWND, DWORD, DWORD, BYTE**, DWORD*) NOT_CALLED
    HRESULT WINAPI DecomposeHwndIdentityString(const BYTE*, DWORD, HWND*, DWORD*, DWORD*) NOT_CALLED
    HRESULT WINAPI SetHmenuProp(HMENU, DWORD, MSAAPROPID, VARIANT) NOT_CALLED
    HRESULT WINAPI SetHmenuPropStr(HMENU, DWORD, MSAAPROPID, LPCWSTR) NOT_CALLED
    HRESULT WINAPI SetHmenuPropServer(HMENU, DWORD, const MSAAPROPID*, int, IAccPropServer*, AnnoScope) NOT_CALLED
    HRESULT WINAPI ClearHmenuProps(HMENU, DWORD, const MSAAPROPID*, int) NOT_CALLED
    HRESULT WINAPI ComposeHmenuIdentityString(HMENU, DWORD, BYTE**, DWORD*) NOT_CALLED
    HRESULT WINAPI DecomposeHmenuIdentityString(const BYTE*, DWORD, HMENU*, DWORD*) NOT_CALLED
#undef NOT_CALLED
    // clang-format on
};

} // namespace testing
