#pragma once

// Stands in for UI Automation's notification, which wine lacks: this
// program's import of GetProcAddress, by which the window finds
// UiaHostProviderFromHwnd and UiaRaiseNotificationEvent, is pointed at a
// finder that hands out the recorder's own. Each notification raised is
// recorded, with the window its provider stands for and the thread it came on.

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace testing {

struct Notification
{
    HWND source;
    int kind;
    int processing;
    std::wstring text;
    std::wstring activity;
    DWORD thread;
};

class NotificationRecorder
{
public:
    static inline std::vector<Notification> heard;
    static inline int providersAlive = 0;

    // Must come before the window's first announcement, which finds the functions once.
    NotificationRecorder()
    {
        auto* image = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
        const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            image + reinterpret_cast<const IMAGE_DOS_HEADER*>(image)->e_lfanew);
        auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
            image +
            headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
        for (; library->Name != 0; ++library) {
            auto* name =
                reinterpret_cast<const IMAGE_THUNK_DATA*>(image + library->OriginalFirstThunk);
            auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(image + library->FirstThunk);
            for (; name->u1.AddressOfData != 0; ++name, ++slot) {
                if (!IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal) &&
                    std::strcmp(reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(
                                    image + name->u1.AddressOfData)
                                    ->Name,
                                "GetProcAddress") == 0) {
                    DWORD access;
                    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &access);
                    s_find = reinterpret_cast<Find>(slot->u1.Function);
                    slot->u1.Function = reinterpret_cast<ULONG_PTR>(&find);
                    VirtualProtect(slot, sizeof *slot, access, &access);
                }
            }
        }
    }

private:
    using Find = FARPROC(WINAPI*)(HMODULE, LPCSTR);
    static inline Find s_find = nullptr;

    // The window's provider, as UiaHostProviderFromHwnd makes one.
    struct Provider final : IUnknown
    {
        HWND window;
        ULONG references = 1;
        explicit Provider(HWND window) : window(window) { ++providersAlive; }
        HRESULT WINAPI QueryInterface(REFIID, void** object) override
        {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        ULONG WINAPI AddRef() override { return ++references; }
        ULONG WINAPI Release() override
        {
            if (--references == 0) {
                --providersAlive;
                delete this;
                return 0;
            }
            return references;
        }
    };

    static HRESULT WINAPI hostProvider(HWND window, IUnknown** provider)
    {
        *provider = new Provider(window);
        return S_OK;
    }

    static HRESULT WINAPI raise(IUnknown* provider, int kind, int processing, BSTR text,
                                BSTR activity)
    {
        heard.push_back({static_cast<Provider*>(provider)->window, kind, processing, text, activity,
                         GetCurrentThreadId()});
        return S_OK;
    }

    static FARPROC WINAPI find(HMODULE library, LPCSTR name)
    {
        const bool byName = reinterpret_cast<ULONG_PTR>(name) > 0xffff;
        if (byName && std::strcmp(name, "UiaHostProviderFromHwnd") == 0) {
            return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&hostProvider));
        }
        if (byName && std::strcmp(name, "UiaRaiseNotificationEvent") == 0) {
            return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&raise));
        }
        return s_find(library, name);
    }
};

} // namespace testing
