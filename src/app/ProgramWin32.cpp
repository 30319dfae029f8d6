#include "app/Program.h"

#include "app/EarthSteps.h"
#include "app/Edition.h"
#include "app/FormHidden.h"
#include "app/MessageLoop.h"
#include "app/OptionsDialog.h"
#include "app/ProgramWindows.h"
#include "app/StartMode.h"
#include "app/WindowMessages.h"
#include "core/ApplicationException.h"
#include "core/Encoding.h"
#include "core/ScopedHandleWin32.h"
#include "data/Options.h"
#include "render/DesktopWallpaperWin32.h"
#include "render/UtilGraphicsWin32.h"
#include "render/earth/EarthPictureWin32.h"
#include "ui/FormLocalWeather.h"

#include <atomic>
#include <commctrl.h>
#include <memory>
#include <objbase.h>

namespace {
Nullable<EnumAppMode> mode;
Nullable<EnumAppKind> kind;
HWND parentWindow = nullptr;
bool firstRun = false;
// Written once by the main thread, read by the worker.
std::atomic<bool> exiting{false};
// Held by the desktop role until the process ends.
std::unique_ptr<KernelObjectHandle> instanceMutex;
std::unique_ptr<CFormHidden> hiddenWindow;
std::unique_ptr<CFormLocalWeather> localWeather;
CPtr<COptions> options;
// Set when Windows ends the session: no one is there to answer a message box, and Windows
// waits on the program until it ends.
bool sessionEnding = false;

// How long a second start looks for the first instance's hidden window: the first may hold
// the mutex but still be starting.
constexpr ULONGLONG HiddenWindowWaitMs = 5000;

// How long an exit waits for a download in progress.
constexpr int ExitStopWaitMs = 100;

HWND WindowFromHandleNumber(int number) {
    // Handles are 32-bit values, sign-extended on 64-bit Windows.
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(number));
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Creates the single-instance mutex; answers whether another process already had it.
bool OpenInstanceMutex(std::unique_ptr<KernelObjectHandle>& mutex) {
    const HANDLE handle = CreateMutexW(nullptr, FALSE, Program::MutexName().c_str());
    const DWORD error = GetLastError();
    mutex = std::make_unique<KernelObjectHandle>(handle);
    // Access denied also means the name is taken, by a process running with other rights.
    return error == ERROR_ALREADY_EXISTS || (handle == nullptr && error == ERROR_ACCESS_DENIED);
}

bool PostToDesktopInstance(UINT message) {
    const std::wstring title = HiddenWindowTitleOf(Program::Kind().Value());
    const ULONGLONG deadline = GetTickCount64() + HiddenWindowWaitMs;
    for (;;) {
        if (const HWND window = FindWindowW(FormHiddenClassName, title.c_str())) {
            return PostMessageW(window, message, 0, 0) != FALSE;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        Sleep(100);
    }
}

void ReportSaveFailure() {
    if (!sessionEnding) {
        MessageBoxW(nullptr, COptions::SaveFailedMessage, Program::DisplayName(), MB_OK | MB_ICONERROR);
    }
}
} // namespace

int Program::Main(const wchar_t* commandLine) {
    if (!CanStart(commandLine)) {
        return 0;
    }
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_BAR_CLASSES | ICC_COOL_CLASSES; // 0x404
    InitCommonControlsEx(&controls);

    const int result = RunMainLoop();

    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    instanceMutex.reset();
    return result;
}

int Program::RunMainLoop() {
    // Every GDI+ object is gone before the session ends.
    const CGraphicsSession gdiplus;
    int result = 0;
    try {
        if (OnStartup()) {
            result = MessageLoop::Run();
        }
    } catch (...) {
        // A failed start ends the program quietly with 0.
        result = 0;
    }
    // Also after a failed start: whatever it made (windows, worker, the cleared wallpaper)
    // must be released before GDI+ goes and the process ends.
    try {
        OnShutdown();
    } catch (...) {
    }
    return result;
}

void Program::DetermineAppMode(const wchar_t* commandLine) {
    const ProgramFileRole role = ParseProgramFileName(ExecutableNameExtension());
    kind = role.Kind;
    if (!role.ScreenSaver) {
        // The desktop program ignores its command line.
        mode = EnumAppMode::Desktop;
        parentWindow = nullptr;
        return;
    }
    const ScreenSaverStart start =
        ParseScreenSaverCommandLine(ToAnsi(commandLine != nullptr ? commandLine : L""));
    mode = start.Mode;
    parentWindow = WindowFromHandleNumber(start.ParentWindow);
}

bool Program::CanStart(const wchar_t* commandLine) {
    try {
        DetermineAppMode(commandLine);
        switch (Mode().Value()) {
        case EnumAppMode::Desktop:
            return ClaimDesktopInstance();
        case EnumAppMode::SS_Configure:
            return !HandConfigurationToDesktopInstance();
        case EnumAppMode::SS_SS:
        case EnumAppMode::SS_Preview:
            return true;
        }
        return false;
    } catch (...) {
        return false;
    }
}

bool Program::ClaimDesktopInstance() {
    std::unique_ptr<KernelObjectHandle> mutex;
    const bool running = OpenInstanceMutex(mutex);
    if (running && PostToDesktopInstance(WindowMessages::SecondDesktopStart)) {
        return false;
    }
    // Nobody answered: this process becomes the desktop instance.
    instanceMutex = std::move(mutex);
    return true;
}

bool Program::HandConfigurationToDesktopInstance() {
    std::unique_ptr<KernelObjectHandle> mutex;
    const bool running = OpenInstanceMutex(mutex);
    mutex.reset();
    return running && PostToDesktopInstance(WindowMessages::ConfigurationStart);
}

bool Program::OnStartup() {
    switch (Mode().Value()) {
    case EnumAppMode::Desktop:
        return OnStartupDesktop();
    case EnumAppMode::SS_SS:
        return OnStartupSS_SS();
    case EnumAppMode::SS_Configure:
        return OnStartupSS_Configure();
    case EnumAppMode::SS_Preview:
        return OnStartupSS_Preview();
    }
    return false;
}

bool Program::OnStartupDesktop() {
    StartThreadPool();
    firstRun = !FileExists(PathNameOptions());
    // 3, 4. A crash may have left pictures behind.
    SaveUserWallpaper(PathWallpaper());
    ClearWallpaperFolder(PathWallpaper());
    // 5, 6.
    LoadImagesAndOptions();
    // 7.
    if (IsGlobeGlow()) {
        PrepareDayNight();
    }
    // 8.
    ProgramWindows::CreateEarthViewer("Program::OnStartupDesktop (911)");
    // 9.
    CreateLocalWeatherWindow();
    // 10.
    OptionsDialog::Create(nullptr, "Program::OnStartupDesktop (917)");
    // 11.
    CreateHiddenWindow("Program::OnStartupDesktop (921)");
    // 12. The first wallpaper, from whatever weather the home city has.
    RefreshAll();
    // 13.
    if (hiddenWindow->AddNotifyIcon() && firstRun) {
        hiddenWindow->ShowBalloonTip();
    }
    return true;
}

bool Program::OnStartupSS_SS() {
    StartThreadPool();
    LoadImagesAndOptions();
    options->Region = CompleteRegion();
    if (IsGlobeGlow()) {
        PrepareDayNight();
    }
    ProgramWindows::CreateScreenSaver("Program::OnStartupSS_SS (993)");
    CreateHiddenWindow("Program::OnStartupSS_SS (997)");
    ProgramWindows::ShowScreenSaver();
    return true;
}

bool Program::OnStartupSS_Configure() {
    LoadImagesAndOptions();
    // A handle that names no window (the settings page closed meanwhile) would keep the dialog
    // from being made at all; it then runs on its own.
    const HWND owner = IsWindow(parentWindow) ? parentWindow : nullptr;
    OptionsDialog::Create(owner, "Program::OnStartupSS_Configure (1014)");
    OptionsDialog::Open(-1);
    return true;
}

bool Program::OnStartupSS_Preview() {
    try {
        if (parentWindow == nullptr) {
            ThrowApplicationException("Program::OnStartupSS_Preview (1024)");
        }
        LoadImagesAndOptions();
        RECT client{};
        if (!GetClientRect(parentWindow, &client)) {
            ThrowApplicationException("Program::OnStartupSS_Preview (1031)");
        }
        ProgramWindows::CreatePreview(parentWindow, client, "Program::OnStartupSS_Preview (1031)");
        return true;
    } catch (...) {
        return false;
    }
}

void Program::LoadImagesAndOptions() {
    // Both the images and the options read the installation data, so its folder is resolved
    // first: a screen saver whose installation is not recorded fails its start here.
    PathInstallation();
    UtilGraphics::LoadImages({PathLargeWeatherIcons(), PathSmallWeatherIcons(), PathEarthNight(),
                              PathNameLocalWeatherBackground()});
    OptionsSite site;
    site.OptionsFile = PathNameOptions();
    site.CitiesFile = PathNameCities();
    site.EarthFolder = PathEarth();
    site.StartupName = KeyName();
    site.ProgramFile = [] { return PathNameExecutable(); };
    site.ReportSaveFailure = ReportSaveFailure;
    options = new COptions(IsCloudPane() ? OptionsEdition::CloudPane : OptionsEdition::GlobeGlow, site);
    options->Load();
}

void Program::CreateLocalWeatherWindow() {
    auto window = std::make_unique<CFormLocalWeather>([]() -> COptions& { return Options(); });
    window->SetOptionsOpener([](int page) { OptionsDialog::Open(page); });
    if (!window->Create()) {
        ThrowApplicationException("Program::OnStartupDesktop (914)");
    }
    localWeather = std::move(window);
}

void Program::CreateHiddenWindow(const char* failureLocation) {
    // Known before it is created: its creation queues the first downloads, whose messages go
    // to it.
    hiddenWindow = std::make_unique<CFormHidden>();
    if (!hiddenWindow->Create()) {
        hiddenWindow.reset();
        ThrowApplicationException(failureLocation);
    }
}

void Program::ExitAtEndOfSession() {
    sessionEnding = true;
    Exit();
}

void Program::Exit() {
    if (exiting.exchange(true)) {
        return;
    }
    switch (Mode().Value()) {
    case EnumAppMode::Desktop:
        if (hiddenWindow) {
            hiddenWindow->RemoveNotifyIcon();
        }
        ProgramWindows::HideEarthViewer();
        if (localWeather) {
            ShowWindow(localWeather->Handle(), SW_HIDE);
        }
        OptionsDialog::Discard();
        options->Save(); // a failure has told the user, if one is there; the exit goes on
        StopThreadPool(ExitStopWaitMs);
        RestoreUserWallpaper();
        PostQuitMessage(0);
        break;
    case EnumAppMode::SS_SS:
        ProgramWindows::HideScreenSaver();
        StopThreadPool(ExitStopWaitMs);
        PostQuitMessage(0);
        break;
    case EnumAppMode::SS_Configure:
    case EnumAppMode::SS_Preview:
        // These end through their own windows.
        break;
    }
}

void Program::OnShutdown() {
    // After a failed start nobody stopped the worker.
    StopThreadPool(ExitStopWaitMs);
    if (mode.HasValue() && IsDesktop()) {
        RestoreUserWallpaper();
        try {
            ClearWallpaperFolder(PathWallpaper());
        } catch (...) {
            // No folder, nothing to clear; the windows and images must still go.
        }
    }
    if (hiddenWindow) {
        hiddenWindow->Destroy();
        hiddenWindow.reset();
    }
    if (localWeather) {
        localWeather->Destroy();
        localWeather.reset();
    }
    ProgramWindows::DestroyAll();
    OptionsDialog::Destroy();
    options = nullptr;
    ReleaseEarthPicture();
    UtilGraphics::ReleaseImages();
}

void Program::RefreshAll() {
    try {
        if (IsDesktop()) {
            RefreshWallpaper(Options(), PathWallpaper());
        }
    } catch (...) {
        // No new wallpaper; the windows still show the new weather.
    }
    RefreshWindows();
}

const Nullable<EnumAppMode>& Program::Mode() {
    return mode;
}

const Nullable<EnumAppKind>& Program::Kind() {
    return kind;
}

bool Program::IsDesktop() {
    return mode.Value() == EnumAppMode::Desktop;
}

bool Program::IsSS_SS() {
    return mode.Value() == EnumAppMode::SS_SS;
}

bool Program::IsSS_Configure() {
    return mode.Value() == EnumAppMode::SS_Configure;
}

bool Program::IsSS_Preview() {
    return mode.Value() == EnumAppMode::SS_Preview;
}

bool Program::IsScreenSaver() {
    return mode.Value() != EnumAppMode::Desktop;
}

bool Program::IsCloudPane() {
    return kind.Value() == EnumAppKind::CloudPane;
}

bool Program::IsGlobeGlow() {
    return kind.Value() == EnumAppKind::GlobeGlow;
}

HWND Program::ParentWindow() {
    return parentWindow;
}

bool Program::FirstRun() {
    return firstRun;
}

bool Program::Exiting() {
    return exiting.load();
}

COptions& Program::Options() {
    return *options;
}

CPtr<COptions>& Program::LiveOptions() {
    return options;
}

CFormLocalWeather* Program::LocalWeather() {
    return localWeather.get();
}

HWND Program::HiddenWindow() {
    return hiddenWindow ? hiddenWindow->Handle() : nullptr;
}
