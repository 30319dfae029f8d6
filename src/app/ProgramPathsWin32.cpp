#include "app/Edition.h"
#include "app/OnceValue.h"
#include "app/PathText.h"
#include "app/Program.h"
#include "app/Version.h"
#include "core/ApplicationException.h"
#include "core/RegistryWin32.h"
#include "core/Util.h"

#include <shlobj.h>

namespace {
// The running module's full long name. Both calls are bounded by MAX_PATH; each caller names
// its own two throw sites.
std::wstring ModuleFileName(const char* readFailure, const char* expandFailure) {
    wchar_t buffer[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        ThrowApplicationException(readFailure);
    }
    const DWORD longLength = GetLongPathNameW(buffer, buffer, MAX_PATH);
    if (longLength == 0 || longLength >= MAX_PATH) {
        ThrowApplicationException(expandFailure);
    }
    return std::wstring(buffer, longLength);
}

// The special folder (made if missing) plus the edition's own folder, made if missing.
std::wstring EditionFolderIn(REFKNOWNFOLDERID folder, const char* failure) {
    PWSTR path = nullptr;
    const HRESULT result = SHGetKnownFolderPath(folder, KF_FLAG_CREATE, nullptr, &path);
    std::wstring base = SUCCEEDED(result) && path != nullptr ? path : L"";
    CoTaskMemFree(path);
    if (base.empty()) {
        ThrowApplicationException(failure);
    }
    std::wstring own = Util::AppendBackslash(Util::AppendBackslash(base) + Program::KeyName());
    Util::EnsureDirectoryExists(own);
    return own;
}
} // namespace

const wchar_t* Program::Version() {
    return ORBIMETEO_VERSION_WIDE;
}

const wchar_t* Program::DisplayName() {
    return DisplayNameOf(Kind().Value());
}

const wchar_t* Program::KeyName() {
    return KeyNameOf(Kind().Value());
}

const std::wstring& Program::MutexName() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return MutexNameOf(Kind().Value()); });
}

const std::wstring& Program::RegistryKey() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return RegistryKeyOf(Kind().Value()); });
}

const std::wstring& Program::PathNameExecutable() {
    static OnceValue<std::wstring> value;
    return value.Get([] {
        return ModuleFileName("Program::PathNameExecutable (600)", "Program::PathNameExecutable (602)");
    });
}

const std::wstring& Program::PathStartup() {
    static OnceValue<std::wstring> value;
    return value.Get([] {
        const std::wstring module =
            ModuleFileName("Program::PathStartup (616)", "Program::PathStartup (618)");
        return Util::AppendBackslash(PathText::FolderOf(module));
    });
}

const std::wstring& Program::ExecutableNameExtension() {
    static OnceValue<std::wstring> value;
    return value.Get([] {
        return PathText::FileNameOf(ModuleFileName("Program::ExecutableNameExtension (584)",
                                                   "Program::ExecutableNameExtension (586)"));
    });
}

const std::wstring& Program::ScreenSaverNameExtension() {
    static OnceValue<std::wstring> value;
    return value.Get([] {
        const std::wstring module = ModuleFileName("Program::ScreenSaverNameExtension (565)",
                                                   "Program::ScreenSaverNameExtension (567)");
        return PathText::WithExtension(PathText::FileNameOf(module), L".scr");
    });
}

const std::wstring& Program::PathUserAppData() {
    static OnceValue<std::wstring> value;
    return value.Get(
        [] { return EditionFolderIn(FOLDERID_RoamingAppData, "Program::PathUserAppData (680)"); });
}

const std::wstring& Program::PathLocalUserAppData() {
    static OnceValue<std::wstring> value;
    return value.Get(
        [] { return EditionFolderIn(FOLDERID_LocalAppData, "Program::PathLocalUserAppData (664)"); });
}

const std::wstring& Program::PathInstallation() {
    static OnceValue<std::wstring> value;
    return value.Get([] {
        if (IsDesktop()) {
            return PathStartup();
        }
        // A screen saver runs from wherever Windows keeps it; the installer records the folder.
        const std::wstring folder = Registry::ReadUserOrMachineString(RegistryKey(), L"InstallationPath");
        if (folder.empty()) {
            ThrowApplicationException("Program::PathInstallation (651)");
        }
        return Util::AppendBackslash(folder);
    });
}

const std::wstring& Program::PathNameOptions() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathUserAppData() + L"Options.txt"; });
}

const std::wstring& Program::PathNameCities() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathUserAppData() + L"Cities.txt"; });
}

const std::wstring& Program::PathNameCityRecords() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathInstallation() + L"CityRecords.txt"; });
}

const std::wstring& Program::PathEarth() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathInstallation() + L"Earth\\"; });
}

const std::wstring& Program::PathEarthNight() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathInstallation() + L"EarthNight\\"; });
}

const std::wstring& Program::PathLargeWeatherIcons() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathInstallation() + L"LargeWeatherIcons\\"; });
}

const std::wstring& Program::PathSmallWeatherIcons() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathInstallation() + L"SmallWeatherIcons\\"; });
}

const std::wstring& Program::PathUI() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathInstallation() + L"UI\\"; });
}

const std::wstring& Program::PathNameLocalWeatherBackground() {
    static OnceValue<std::wstring> value;
    return value.Get([] { return PathUI() + L"LocalWeatherBackground.png"; });
}

const std::wstring& Program::PathWallpaper() {
    static OnceValue<std::wstring> value;
    return value.Get([] {
        std::wstring folder = PathLocalUserAppData() + L"Wallpaper\\";
        Util::EnsureDirectoryExists(folder);
        return folder;
    });
}
