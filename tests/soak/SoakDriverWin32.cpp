// Soak driver: drives a running desktop instance through refresh cycles as fast as it can take
// them and samples the process after each.
//
//   soak-driver DISPLAYNAME CYCLES
//
// With 0 cycles it only prints the cities.
// A cycle: WM_TIMER 1 (a download batch of every due city) and a wait for the batch's end,
// which installs a wallpaper and repaints the Earth viewer (opened first with command 32820);
// every fifth cycle WM_TIMER 2 (the overlay redraw), the local weather window's next mode, and
// the options dialog opened (message 1155) and closed with OK, which saves the settings,
// installs the wallpaper again and queues a download.
// Prints one line a cycle,
//   cycle N private=BYTES handles=N gdi=N user=N graphics=N
// then one line a city, "city INDEX minute=M tenths=T" (the observation the program holds).
// Exit code 0 when every cycle ended, 1 when the program went away or a batch did not end.
#include <windows.h>

#include <psapi.h>
#include <winternl.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {
constexpr UINT Diagnostics = 1164;
constexpr WPARAM GraphicsObjects = 0, BatchesFinished = 1, Cities = 2, ObservationMinute = 3, Temperature = 4;
constexpr UINT OpenOptions = 1155;
constexpr WORD EarthCommand = 32820;
constexpr WORD LocalModes[] = {32827, 32826, 32792}; // Large, Small, Icon Only
constexpr DWORD BatchBoundMs = 180000;

int64_t Ask(HWND window, WPARAM query, LPARAM city = 0) {
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutW(window, Diagnostics, query, city, SMTO_ABORTIFHUNG, 30000, &answer) == 0) {
        return INT64_MIN;
    }
    return static_cast<int64_t>(answer);
}

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam = 0) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 30000, &answer);
}

// The options dialog of the process, once it shows.
HWND OptionsDialog(DWORD processId) {
    for (int tries = 0; tries < 500; ++tries) {
        for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); window != nullptr;
             window = FindWindowExW(nullptr, window, L"#32770", nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t title[128] = {};
            GetWindowTextW(window, title, 128);
            if (owner == processId && IsWindowVisible(window) &&
                std::wcsstr(title, L" - Options") != nullptr) {
                return window;
            }
        }
        Sleep(10);
    }
    return nullptr;
}

HWND LocalWeatherWindow(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner == search->processId && std::wcsstr(name, L"LocalWeather") != nullptr) {
                search->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Wine answers 0 to GetProcessHandleCount but lists every process's handles in the system's
// handle table, as Windows does.
DWORD HandleCount(HANDLE process, DWORD processId) {
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count > 0) {
        return count;
    }
    struct Entry {
        ULONG ProcessId;
        BYTE ObjectType;
        BYTE Flags;
        USHORT Handle;
        PVOID Object;
        ACCESS_MASK Access;
    };
    constexpr auto SystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    constexpr NTSTATUS InfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    std::vector<ULONG_PTR> buffer(1 << 16);
    NTSTATUS status = 0;
    while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size() * sizeof(ULONG_PTR)),
                                              nullptr)) == InfoLengthMismatch) {
        buffer.resize(buffer.size() * 2);
    }
    if (status != 0) {
        return 0;
    }
    const ULONG entries = static_cast<ULONG>(buffer[0]);
    const auto* entry = reinterpret_cast<const Entry*>(buffer.data() + 1);
    for (ULONG i = 0; i < entries; ++i) {
        count += entry[i].ProcessId == processId ? 1 : 0;
    }
    return count;
}

// Wine keeps PrivateUsage 0 and counts the committed private memory as the page-file usage,
// which on Windows is the same figure.
SIZE_T PrivateBytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
        return 0;
    }
    return memory.PrivateUsage > 0 ? memory.PrivateUsage : memory.PagefileUsage;
}

bool WaitForBatch(HWND window, HANDLE process, int64_t before) {
    const ULONGLONG deadline = GetTickCount64() + BatchBoundMs;
    while (GetTickCount64() < deadline) {
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            return false;
        }
        const int64_t now = Ask(window, BatchesFinished);
        if (now != INT64_MIN && now > before) {
            return true;
        }
        Sleep(10);
    }
    return false;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: soak-driver DISPLAYNAME CYCLES\n");
        return 2;
    }
    const std::wstring title = std::wstring(argv[1]) + L"_FormHidden";
    long cycles = std::wcstol(argv[2], nullptr, 10);
    const HWND hidden = FindWindowW(L"Orbimeteo_FormHidden", title.c_str());
    if (hidden == nullptr) {
        std::fwprintf(stderr, L"no hidden window of %ls\n", argv[1]);
        return 1;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(hidden, &processId);
    const HANDLE process =
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        std::fwprintf(stderr, L"cannot open the process\n");
        return 1;
    }
    int result = 0;
    // The start's own batches (Cloud Pane's home city alone, then every city) come first.
    if (cycles > 0) {
        PostMessageW(hidden, WM_COMMAND, EarthCommand, 0);
        const int64_t startBatches = std::wstring(argv[1]) == L"Cloud Pane" ? 2 : 1;
        if (!WaitForBatch(hidden, process, startBatches - 1)) {
            std::wprintf(L"the start's batches did not end\n");
            result = 1;
            cycles = 0;
        }
    }
    for (long cycle = 1; cycle <= cycles; ++cycle) {
        const int64_t before = Ask(hidden, BatchesFinished);
        Send(hidden, WM_TIMER, 1);
        if (!WaitForBatch(hidden, process, before)) {
            std::wprintf(L"cycle %ld: %ls\n", cycle,
                         WaitForSingleObject(process, 0) == WAIT_OBJECT_0 ? L"the program ended"
                                                                          : L"no batch ended");
            result = 1;
            break;
        }
        if (cycle % 5 == 0) {
            Send(hidden, WM_TIMER, 2);
            if (const HWND local = LocalWeatherWindow(processId)) {
                Send(local, WM_COMMAND, LocalModes[(cycle / 5) % 3]);
            }
            PostMessageW(hidden, OpenOptions, 0, 0);
            const HWND options = OptionsDialog(processId);
            if (options == nullptr) {
                std::wprintf(L"cycle %ld: no options dialog\n", cycle);
                result = 1;
                break;
            }
            Send(options, WM_COMMAND, IDOK);
        }
        std::wprintf(L"cycle %ld private=%llu handles=%lu gdi=%lu user=%lu graphics=%lld\n", cycle,
                     static_cast<unsigned long long>(PrivateBytes(process)), HandleCount(process, processId),
                     GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
                     static_cast<long long>(Ask(hidden, GraphicsObjects)));
        std::fflush(stdout);
    }
    const int64_t cities = Ask(hidden, Cities);
    for (int64_t city = 0; city < cities && result == 0; ++city) {
        std::wprintf(L"city %lld minute=%lld tenths=%lld\n", static_cast<long long>(city),
                     static_cast<long long>(Ask(hidden, ObservationMinute, city)),
                     static_cast<long long>(Ask(hidden, Temperature, city)));
    }
    CloseHandle(process);
    return result;
}
