// Times the paint of the full-screen saver (the weather picture on the window's own device
// context) at 1920x1080 and 3840x2160 and of the Earth viewer's view at 1920x1080, the way
// those windows paint: a device context of a real window, no erase, the whole picture composed
// again each time. Figures only; run under Wine (bench/window-paint-wine.sh gives it a screen
// large enough) or on Windows. INSTALL defaults to the program's own folder.
#include "BestOf.h"
#include "InstallFolderWin32.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "core/Util.h"
#include "data/Options.h"
#include "render/EarthBackground.h"
#include "render/UtilGraphicsWin32.h"
#include "render/WeatherPictureWin32.h"
#include "render/earth/BackgroundBitmapWin32.h"
#include "render/earth/EarthPictureWin32.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {
LRESULT CALLBACK NoEraseProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        return TRUE;
    }
    if (message == WM_PAINT) {
        ValidateRect(window, nullptr);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Pump() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageW(&message);
    }
}

// A shown window of the size: a topmost pop-up like the saver, or a view with a client edge
// inside a pop-up frame like the viewer's. Destroyed at the end of the scope.
class BenchWindow {
public:
    BenchWindow(int width, int height, bool view) {
        const HINSTANCE module = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = NoEraseProcedure;
        windowClass.hInstance = module;
        windowClass.lpszClassName = L"PaintBench";
        RegisterClassW(&windowClass);
        frame_ = CreateWindowExW(WS_EX_TOPMOST, L"PaintBench", L"", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                 height, nullptr, nullptr, module, nullptr);
        paint_ = frame_;
        if (view && frame_ != nullptr) {
            paint_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"PaintBench", L"",
                                     WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, width,
                                     height, frame_, nullptr, module, nullptr);
        }
        Pump();
    }
    ~BenchWindow() {
        if (frame_ != nullptr) {
            DestroyWindow(frame_);
        }
        Pump();
    }
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    bool Made() const { return paint_ != nullptr; }
    RECT Client() const {
        RECT client{};
        GetClientRect(paint_, &client);
        return client;
    }
    // One paint through a device context of the window's own, as the windows' Redraw does.
    void Paint(const std::function<void(CGraphics&, const RECT&)>& draw) const {
        const HDC dc = GetDC(paint_);
        {
            CGraphics graphics(dc);
            draw(graphics, Client());
        }
        GdiFlush();
        ReleaseDC(paint_, dc);
    }

private:
    HWND frame_ = nullptr;
    HWND paint_ = nullptr;
};

double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* what, int width, int height, const BenchWindow& window,
            const std::function<void(CGraphics&, const RECT&)>& draw, double aim) {
    if (!window.Made()) {
        std::printf("%s %dx%d: the window cannot be made\n", what, width, height);
        return;
    }
    const RECT client = window.Client();
    const double first = Milliseconds([&] { window.Paint(draw); });
    const double best = BestOf(10, [&] { window.Paint(draw); });
    std::printf(
        "%s %dx%d (client %ldx%ld): first paint %.1f ms, paint %.1f ms (best of 10; aim under %.0f ms)\n",
        what, width, height, client.right, client.bottom, first, best, aim);
}

void Run(const std::wstring& install) {
    const int screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    std::printf("virtual screen %dx%d\n", screenWidth, screenHeight);
    UtilGraphics::LoadImages({install + L"LargeWeatherIcons\\", install + L"SmallWeatherIcons\\",
                              install + L"EarthNight\\", install + L"UI\\LocalWeatherBackground.png"});
    OptionsSite site;
    site.EarthFolder = install + L"Earth\\";
    COptions options(OptionsEdition::GlobeGlow, site);
    const DateTime now = DateTime::UtcNow();
    int code = 0;
    const auto giveWeather = [&](City& city) {
        city.CurrentWeather.ReportDateTime = now - TimeSpan(0, 20, 0);
        city.CurrentWeather.WeatherCode = static_cast<EnumWeatherCode>(code++ % 19);
        city.CurrentWeather.Temprature = 21.0f;
    };
    giveWeather(*options.HomeCity);
    for (City& city : *options.Cities) {
        giveWeather(city);
    }
    GetBackgroundImage(options.Background, LoadBackgroundBitmap);
    BuildDayNightMask();
    RefreshNightOverlay();

    const auto saver = [&options](CGraphics& graphics, const RECT& client) {
        const PictureRect rect{0, 0, static_cast<float>(client.right), static_cast<float>(client.bottom)};
        DrawWeatherPicture(graphics, rect, rect, options);
    };
    const auto viewer = [&options](CGraphics& graphics, const RECT& client) {
        graphics.SetPixelUnit();
        DrawEarthPicture(graphics, options, 0, 0, client.right, client.bottom);
    };
    for (const SIZE size : {SIZE{1920, 1080}, SIZE{3840, 2160}}) {
        if (size.cx > screenWidth || size.cy > screenHeight) {
            std::printf(
                "saver %ldx%ld: the screen is smaller (bench/window-paint-wine.sh makes one large enough)\n",
                size.cx, size.cy);
            continue;
        }
        const BenchWindow window(size.cx, size.cy, false);
        Report("saver", size.cx, size.cy, window, saver, 100);
    }
    if (1920 > screenWidth || 1080 > screenHeight) {
        std::printf("viewer 1920x1080: the screen is smaller\n");
    } else {
        const BenchWindow window(1920, 1080, true);
        Report("viewer", 1920, 1080, window, viewer, 50);
    }
    ReleaseEarthPicture();
    ReleaseWeatherPicture();
    UtilGraphics::ReleaseImages();
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring install = BenchInstallFolder(argc, argv);
    SetProcessDPIAware();
    const CGraphicsSession gdiplus;
    Run(install);
    return 0;
}
