#include "core/RegistryWin32.h"

#include <vector>

namespace Registry {

std::wstring ReadString(HKEY root, const std::wstring& subKey, const wchar_t* valueName) {
    // RegGetValue ends the text with a NUL even when the stored value lacks one. The value may
    // grow between the two calls, hence the loop.
    constexpr DWORD Flags = RRF_RT_REG_SZ;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD bytes = 0;
        if (RegGetValueW(root, subKey.c_str(), valueName, Flags, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
            return {};
        }
        std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        const LSTATUS status =
            RegGetValueW(root, subKey.c_str(), valueName, Flags, nullptr, buffer.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            return std::wstring(buffer.data());
        }
        if (status != ERROR_MORE_DATA) {
            return {};
        }
    }
    return {};
}

std::wstring ReadUserOrMachineString(const std::wstring& subKey, const wchar_t* valueName) {
    std::wstring value = ReadString(HKEY_CURRENT_USER, subKey, valueName);
    return value.empty() ? ReadString(HKEY_LOCAL_MACHINE, subKey, valueName) : value;
}

} // namespace Registry
