#pragma once

// Stands in for UI Automation's notification, which wine lacks: this
// program's import slot of GetProcAddress, by which the window finds
// UiaHostProviderFromHwnd and UiaRaiseNotificationEvent, is pointed at a
// finder that hands out the recorder's own. Each notification raised is
// recorded, with the window its provider stands for and the thread it came on.

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

// The program's import slot of GetProcAddress, from kernel32's import library.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the import slot's own name
extern "C" decltype(&GetProcAddress) __imp_GetProcAddress;

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
        DWORD access;
        VirtualProtect(&__imp_GetProcAddress, sizeof __imp_GetProcAddress, PAGE_READWRITE, &access);
        s_find = std::exchange(__imp_GetProcAddress, &find);
        VirtualProtect(&__imp_GetProcAddress, sizeof __imp_GetProcAddress, access, &access);
    }

private:
    static inline decltype(&GetProcAddress) s_find = nullptr;

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
