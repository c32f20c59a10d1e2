// Prints the version resource of the file named on the command line as
// Explorer's Details tab shows it: the fixed file version, then one line per
// text the wine test compares.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv)
{
    DWORD ignored = 0;
    const DWORD size = argc > 1 ? GetFileVersionInfoSizeW(argv[1], &ignored) : 0;
    std::vector<BYTE> resource(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    // The texts stand under the first language and code page the file names.
    const WORD* translation = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoW(argv[1], 0, size, resource.data()) ||
        !VerQueryValueW(resource.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
        !VerQueryValueW(resource.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(const_cast<WORD**>(&translation)), &length) ||
        length < 2 * sizeof(WORD)) {
        std::fputs("no version resource\n", stderr);
        return EXIT_FAILURE;
    }
    std::printf("%u.%u.%u.%u\n", unsigned{HIWORD(fixed->dwFileVersionMS)},
                unsigned{LOWORD(fixed->dwFileVersionMS)}, unsigned{HIWORD(fixed->dwFileVersionLS)},
                unsigned{LOWORD(fixed->dwFileVersionLS)});
    wchar_t block[32];
    wsprintfW(block, L"\\StringFileInfo\\%04x%04x\\", translation[0], translation[1]);
    for (const wchar_t* key : {L"ProductName", L"FileDescription", L"CompanyName", L"FileVersion",
                               L"ProductVersion", L"LegalCopyright", L"OriginalFilename"}) {
        const std::wstring path = std::wstring(block) + key;
        wchar_t* text = nullptr;
        const bool found =
            VerQueryValueW(resource.data(), path.c_str(), reinterpret_cast<void**>(&text), &length);
        std::printf("%ls: %ls\n", key, found ? text : L"");
    }
    return EXIT_SUCCESS;
}
