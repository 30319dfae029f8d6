#include <windows.h>

// Until the start-up routines exist the program only keeps its message loop running.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
