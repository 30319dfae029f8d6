#include "data/StartupEntry.h"

#include "core/ApplicationException.h"

#include <vector>
#include <windows.h>

namespace {
constexpr const wchar_t* RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class Key {
public:
    Key() = default;
    ~Key() {
        if (value_ != nullptr) {
            RegCloseKey(value_);
        }
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* Out() { return &value_; }
    HKEY Get() const { return value_; }

private:
    HKEY value_ = nullptr;
};

// The registry functions return their error instead of setting the last error; the
// exception should carry it all the same.
[[noreturn]] void Fail(LSTATUS status, const char* location) {
    SetLastError(static_cast<DWORD>(status));
    ThrowApplicationException(location);
}
} // namespace

namespace StartupEntry {

void Set(const std::wstring& name, const std::wstring& programFile) {
    Key key;
    LSTATUS status =
        RegCreateKeyExW(HKEY_CURRENT_USER, RunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Out(), nullptr);
    if (status != ERROR_SUCCESS) {
        Fail(status, "StartupEntry::Set (56)");
    }
    const std::wstring command = L"\"" + programFile + L"\"";
    const auto bytes = static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key.Get(), name.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(command.c_str()), bytes);
    if (status != ERROR_SUCCESS) {
        Fail(status, "StartupEntry::Set (63)");
    }
}

void Remove(const std::wstring& name) {
    Key key;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, RunKey, 0, KEY_READ | KEY_WRITE, key.Out());
    if (status != ERROR_SUCCESS) {
        Fail(status, "Util::RemoveStartupItem (572)");
    }
    status = RegDeleteValueW(key.Get(), name.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        Fail(status, "Util::RemoveStartupItem (576)");
    }
}

bool Get(const std::wstring& name, std::wstring& command) {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, RunKey, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return false;
    }
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, RunKey, name.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(),
                     &bytes) != ERROR_SUCCESS) {
        return false;
    }
    command = buffer.data();
    return true;
}

} // namespace StartupEntry
