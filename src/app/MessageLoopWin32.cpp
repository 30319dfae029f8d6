#include "app/MessageLoop.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<HWND>& ModelessDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

bool IsForModelessDialog(MSG& message) {
    // A copy: a dialog may close, and leave the list, inside IsDialogMessage.
    const std::vector<HWND> dialogs = ModelessDialogs();
    for (HWND dialog : dialogs) {
        if (IsDialogMessageW(dialog, &message)) {
            return true;
        }
    }
    return false;
}
} // namespace

namespace MessageLoop {

int Run() {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            return static_cast<int>(message.wParam);
        }
        if (got == -1) {
            return 0;
        }
        if (!IsForModelessDialog(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void AddModelessDialog(HWND dialog) {
    ModelessDialogs().push_back(dialog);
}

void RemoveModelessDialog(HWND dialog) {
    auto& dialogs = ModelessDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

} // namespace MessageLoop
