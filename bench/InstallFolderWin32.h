#pragma once
#include <windows.h>

#include <string>

// The installation folder a benchmark reads its data from: the first argument, else the folder
// of the benchmark itself (it is built into the stage folder); always ending in a backslash.
inline std::wstring BenchInstallFolder(int argc, wchar_t** argv) {
    std::wstring install;
    if (argc > 1) {
        install = argv[1];
    } else {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, path, MAX_PATH);
        install = path;
        install.erase(install.find_last_of(L'\\') + 1);
    }
    if (!install.empty() && install.back() != L'\\') {
        install += L'\\';
    }
    return install;
}
