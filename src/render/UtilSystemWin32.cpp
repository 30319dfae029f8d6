#include "core/ApplicationException.h"
#include "core/ScopedHandleWin32.h"
#include "core/Util.h"
#include "render/ScreenSaverSetupWin32.h"

#include <optional>
#include <shlobj.h>
#include <windows.h>

namespace {
constexpr DWORD RegistryTextCharacters = 520;
constexpr const wchar_t* DesktopKey = L"Control Panel\\Desktop";

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
} // namespace

const std::wstring& Util::GetSystemDirectoryW() {
    static std::optional<std::wstring> folder;
    if (!folder) {
        wchar_t path[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathW(nullptr, CSIDL_SYSTEM | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT,
                                    path))) {
            ThrowApplicationException("Util::GetSystemDirectoryW (142)");
        }
        folder = AppendBackslash(path);
    }
    return *folder;
}

void Util::RegGetKeyValue(const std::wstring& subKey, std::wstring& text, HKEY rootKey,
                          const wchar_t* valueName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(rootKey, subKey.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        ThrowApplicationException("Util::RegGetKeyValue (176)");
    }
    const RegistryKeyHandle key(opened);
    wchar_t buffer[RegistryTextCharacters] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(buffer);
    const LSTATUS status =
        RegQueryValueExW(key.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
    const DWORD characters = bytes / sizeof(wchar_t);
    // The stored value need not end with its terminator, nor have an even size.
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) ||
        bytes % sizeof(wchar_t) != 0 || characters == 0 || buffer[characters - 1] != L'\0') {
        ThrowApplicationException("Util::RegGetKeyValue (178)");
    }
    text = buffer;
}

void InstallScreenSaverFile(const std::wstring& path) {
    wchar_t shortPath[RegistryTextCharacters] = {};
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath, RegistryTextCharacters);
    if (length == 0 || length >= RegistryTextCharacters) {
        ThrowApplicationException("Util::SetScreenSaver (189)");
    }
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
        ThrowApplicationException("Util::SetScreenSaver (191)");
    }
    const RegistryKeyHandle key(created);
    const DWORD bytes = (length + 1) * sizeof(wchar_t);
    if (RegSetValueExW(key.Get(), L"SCRNSAVE.EXE", 0, REG_SZ, reinterpret_cast<const BYTE*>(shortPath),
                       bytes) != ERROR_SUCCESS) {
        ThrowApplicationException("Util::SetScreenSaver (191)");
    }
    if (!SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr,
                               SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE)) {
        ThrowApplicationException("Util::SetScreenSaver (198)");
    }
}

bool Util::SetScreenSaver(const std::wstring& path) {
    try {
        InstallScreenSaverFile(path);
        return true;
    } catch (const ApplicationException&) {
        return false;
    }
}

bool InstallScreenSaver(const std::wstring& screenSaverFileName, const std::wstring& installationFolder,
                        const wchar_t* caption) {
    std::wstring candidate;
    try {
        candidate = Util::GetSystemDirectoryW() + screenSaverFileName;
    } catch (const ApplicationException&) {
    }
    if (candidate.empty() || !FileExists(candidate)) {
        candidate = installationFolder + screenSaverFileName;
    }
    const bool installed = Util::SetScreenSaver(candidate);
    if (installed) {
        MessageBoxW(nullptr, L"Screen saver activated.", caption, MB_OK | MB_ICONINFORMATION);
    } else {
        MessageBoxW(nullptr, L"Could not activate the screen saver.", caption, MB_OK | MB_ICONERROR);
    }
    return installed;
}
