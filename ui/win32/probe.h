#pragma once
#include <windows.h>
#include <cstdio>
inline void probe(const char* what) {
    FILETIME creation, e, k, u, now;
    GetProcessTimes(GetCurrentProcess(), &creation, &e, &k, &u);
    GetSystemTimePreciseAsFileTime(&now);
    auto q = [](FILETIME f){ return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    std::fprintf(stderr, "PROBE %-12s wall %.2f ms cpu %.2f ms\n", what, (q(now)-q(creation))/1e4, (q(k)+q(u))/1e4);
}
