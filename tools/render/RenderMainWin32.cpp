// orbimeteo-render.exe VERB ...: the program's pictures drawn to files, for tests and benchmarks.
#include "EarthVerb.h"

#include "render/earth/GdiplusWin32.h"
#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orbimeteo-render earth ...\n");
        return 2;
    }
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        return 1;
    }
    int result = 2;
    try {
        const std::wstring verb = argv[1];
        const std::vector<std::wstring> args(argv + 2, argv + argc);
        if (verb == L"earth") {
            result = RunEarthVerb(args);
        } else {
            std::fprintf(stderr, "orbimeteo-render: no verb \"%ls\"\n", argv[1]);
        }
    } catch (...) {
        std::fprintf(stderr, "orbimeteo-render: failed\n");
        result = 1;
    }
    Gdiplus::GdiplusShutdown(token);
    return result;
}
