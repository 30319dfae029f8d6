#include "app/Program.h"
#include "app/ProgramWindows.h"

#include "app/WeatherPlan.h"
#include "app/WindowMessages.h"
#include "core/CPtr.h"
#include "data/Options.h"
#include "ui/FormLocalWeather.h"
#include "weather/ThreadPool.h"
#include "weather/WeatherDownloadWork.h"

#include <memory>

namespace {
constexpr DWORD PauseAfterFailureMs = 1000;

// One worker and one report queue per process. The worker shares the queue, so a worker
// abandoned at exit never reaches a queue that is gone.
std::unique_ptr<CThreadPool> pool;
std::shared_ptr<CReportQueue> reports;

WeatherWorkSite MakeSite() {
    const HWND hub = Program::HiddenWindow();
    const NoaaAddresses addresses = NoaaAddresses::Read(Program::RegistryKey());
    WeatherWorkSite site;
    site.Reports = reports;
    site.OpenSource = [addresses] { return std::make_unique<CNoaaWeatherSource>(addresses); };
    site.Signal = [hub](WeatherSignal signal) {
        PostMessageW(hub,
                     signal == WeatherSignal::BatchFinished ? WindowMessages::BatchFinished
                                                            : WindowMessages::ReportsQueued,
                     0, 0);
    };
    site.PauseAfterFailure = [] { Sleep(PauseAfterFailureMs); };
    return site;
}

void Queue(CPtr<CWeatherDownloadWork>& work) {
    if (pool) {
        pool->Queue(work.Detach());
    }
}
} // namespace

void Program::StartThreadPool() {
    if (pool) {
        return;
    }
    reports = std::make_shared<CReportQueue>([] { return Program::Exiting(); });
    pool = std::make_unique<CThreadPool>();
    pool->Start();
}

void Program::StopThreadPool(int waitMs) {
    if (pool) {
        pool->Stop(waitMs);
    }
}

void Program::DownloadWeather(bool progressive) {
    if (!pool) {
        return;
    }
    CPtr<CWeatherDownloadWork> work(new CWeatherDownloadWork(MakeSite()));
    if (PlanWeatherDownload(Options(), Kind().Value(), Mode().Value(), progressive, *work)) {
        Queue(work);
    }
}

void Program::DownloadHomeCityWeather() {
    if (!pool) {
        return;
    }
    CPtr<CWeatherDownloadWork> work(new CWeatherDownloadWork(MakeSite()));
    if (PlanHomeCityDownload(Options(), *work)) {
        Queue(work);
    }
}

bool Program::TakeReports() {
    if (!reports) {
        return false;
    }
    return ApplyReports(Options(), reports->TakeAll());
}

void Program::RefreshWindows() {
    try {
        if (IsDesktop()) {
            if (CFormLocalWeather* window = LocalWeather()) {
                window->Redraw();
            }
            ProgramWindows::RedrawEarthViewer();
        } else if (IsSS_SS()) {
            ProgramWindows::RedrawScreenSaver();
        }
    } catch (...) {
        // The windows keep what they show.
    }
}
