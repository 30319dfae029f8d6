// orbimeteo-render: draws the program's pictures with its own code into PNG files, for tests,
// benchmarks and the README. Usage: orbimeteo-render VERB ARGUMENTS...
#include "RenderVerbs.h"

#include "render/GraphicsWin32.h"
#include "render/UtilGraphicsWin32.h"

#include <cstdio>
#include <cwchar>
#include <exception>

namespace {
struct Verb {
    const wchar_t* Name;
    int (*Run)(int argc, wchar_t** argv);
};

constexpr Verb Verbs[] = {
    {L"weather", RenderWeather},
    {L"earth", RenderEarth},
};

int Usage() {
    std::fputs("usage: orbimeteo-render VERB ARGUMENTS...\nverbs:", stderr);
    for (const Verb& verb : Verbs) {
        std::fprintf(stderr, " %ls", verb.Name);
    }
    std::fputs("\n", stderr);
    return 2;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return Usage();
    }
    for (const Verb& verb : Verbs) {
        if (std::wcscmp(argv[1], verb.Name) != 0) {
            continue;
        }
        const CGraphicsSession session;
        int result = 1;
        try {
            result = verb.Run(argc - 2, argv + 2);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "orbimeteo-render %ls: %s\n", verb.Name, error.what());
        } catch (...) {
            std::fprintf(stderr, "orbimeteo-render %ls: failed\n", verb.Name);
        }
        // Every image goes before GDI+ does.
        UtilGraphics::ReleaseImages();
        return result;
    }
    return Usage();
}
