#include "core/ApplicationException.h"
#include "core/Util.h"

#include <windows.h>

#include <shellapi.h>

void Util::OpenUrl(HWND owner, const std::wstring& address) {
    const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    const HINSTANCE result = ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    SetCursor(previous);
    // The shell's old convention: a value above 32 is success, anything else an error code.
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        ThrowApplicationException("Util::OpenUrl (29)");
    }
}
