#include "app/MessageLoop.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<HWND>& ModelessDialogs() {
    static std::vector<HWND> dialogs;
    return dialogs;
}

struct FrameAccelerators {
    HWND Frame;
    HACCEL Table;
};

std::vector<FrameAccelerators>& Accelerators() {
    static std::vector<FrameAccelerators> frames;
    return frames;
}

bool IsAccelerator(MSG& message) {
    const HWND active = GetActiveWindow();
    for (const FrameAccelerators& frame : Accelerators()) {
        if (frame.Frame == active && TranslateAcceleratorW(frame.Frame, frame.Table, &message)) {
            return true;
        }
    }
    return false;
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
        if (!IsAccelerator(message) && !IsForModelessDialog(message)) {
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

void AddAccelerators(HWND frame, HACCEL table) {
    Accelerators().push_back({frame, table});
}

void RemoveAccelerators(HWND frame) {
    auto& frames = Accelerators();
    std::erase_if(frames, [frame](const FrameAccelerators& entry) { return entry.Frame == frame; });
}

} // namespace MessageLoop
