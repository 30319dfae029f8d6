// orbimeteo-render.exe VERB ...: the program's pictures drawn to files, for tests and benchmarks.
#include "EarthVerb.h"
#include "render/GraphicsWin32.h"

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: orbimeteo-render earth ...\n");
        return 2;
    }
    const CGraphicsSession session;
    if (!session.IsStarted()) {
        return 1;
    }
    try {
        const std::wstring verb = argv[1];
        const std::vector<std::wstring> args(argv + 2, argv + argc);
        if (verb == L"earth") {
            return RunEarthVerb(args);
        }
        std::fprintf(stderr, "orbimeteo-render: no verb \"%ls\"\n", argv[1]);
        return 2;
    } catch (...) {
        std::fprintf(stderr, "orbimeteo-render: failed\n");
        return 1;
    }
}
