#pragma once
#include "app/AppMode.h"
#include "core/CPtr.h"

#include <string>
#include <windows.h>

class CFormLocalWeather;
class COptions;

// The static application class: the edition and role of this process, the single-instance
// rule, every folder and file name, the start-up and shutdown of each role, and the main loop.
// Everything runs on the main thread except Exiting, which the worker reads.
class Program {
public:
    Program() = delete;

    // The whole life of the process; answers the exit code.
    static int Main(const wchar_t* commandLine);

    static void DetermineAppMode(const wchar_t* commandLine);
    // Decides the role and applies the single-instance rule; false means end at once.
    static bool CanStart(const wchar_t* commandLine);
    // The start-up routine of the role; true means its windows are up and the loop should run.
    static bool OnStartup();
    static bool OnStartupDesktop();
    static bool OnStartupSS_SS();
    static bool OnStartupSS_Configure();
    static bool OnStartupSS_Preview();
    // The orderly exit: menu Exit, Windows ending, input in the full-screen saver.
    static void Exit();
    // Exit when Windows ends the session: it waits on the program, so nothing may wait on the
    // user, and a failed save is kept silent.
    static void ExitAtEndOfSession();
    // After the message loop, and after a failed start: releases whatever exists.
    static void OnShutdown();
    // After new weather arrived: the desktop's wallpaper picture, then the windows of the role.
    // Failures are swallowed.
    static void RefreshAll();

    // Empty until DetermineAppMode has run; reading them then throws.
    static const Nullable<EnumAppMode>& Mode();
    static const Nullable<EnumAppKind>& Kind();
    static bool IsDesktop();
    static bool IsSS_SS();
    static bool IsSS_Configure();
    static bool IsSS_Preview();
    static bool IsScreenSaver();
    static bool IsCloudPane();
    static bool IsGlobeGlow();
    // The window given after /c or /p; null when none.
    static HWND ParentWindow();
    // Set when the desktop start found no options file.
    static bool FirstRun();
    // Set once by Exit; safe to read from any thread.
    static bool Exiting();
    // The hidden window, the hub that the worker and other processes post to; null when none.
    // Main thread: a worker is handed the handle, it does not call this.
    static HWND HiddenWindow();
    // The local weather window of the desktop role; null in the other roles and before it exists.
    static CFormLocalWeather* LocalWeather();
    // The live options; valid from the start-up routine's load until the shutdown.
    static COptions& Options();
    // Their owner, for the options dialog's OK, which replaces them.
    static CPtr<COptions>& LiveOptions();

    // Background refresh, main thread. The pool runs in the desktop and full-screen roles only.
    static void StartThreadPool();
    static void StopThreadPool(int waitMs);
    // Queues a batch of the cities due; throws when the batch cannot be built.
    static void DownloadWeather(bool progressive);
    // Queues the home city's observation, due or not.
    static void DownloadHomeCityWeather();
    // Merges every queued report into its city; false when there was none.
    static bool TakeReports();
    // Redraws the windows of the role from the weather held; failures are swallowed.
    static void RefreshWindows();

    static const wchar_t* Version();
    static const wchar_t* DisplayName();
    static const wchar_t* KeyName();
    static const std::wstring& MutexName();
    static const std::wstring& RegistryKey();

    // Each is computed on first use and kept; a computation that throws keeps nothing. Folder
    // names end with a backslash.
    static const std::wstring& PathNameExecutable();
    static const std::wstring& PathStartup();
    static const std::wstring& ExecutableNameExtension();
    static const std::wstring& ScreenSaverNameExtension();
    static const std::wstring& PathUserAppData();
    static const std::wstring& PathLocalUserAppData();
    static const std::wstring& PathInstallation();
    static const std::wstring& PathNameOptions();
    static const std::wstring& PathNameCities();
    static const std::wstring& PathNameCityRecords();
    static const std::wstring& PathEarth();
    static const std::wstring& PathEarthNight();
    static const std::wstring& PathLargeWeatherIcons();
    static const std::wstring& PathSmallWeatherIcons();
    static const std::wstring& PathUI();
    static const std::wstring& PathNameLocalWeatherBackground();
    static const std::wstring& PathWallpaper();

private:
    static int RunMainLoop();
    static bool ClaimDesktopInstance();
    static bool HandConfigurationToDesktopInstance();
    static void LoadImagesAndOptions();
    static void CreateHiddenWindow(const char* failureLocation);
    static void CreateLocalWeatherWindow();
};
