// Test tool: holds a file open without sharing, as another program (a backup, an editor, a
// virus scanner) may, so nobody else can read, write or delete it meanwhile.
//
//   file-lock FILE READY-FILE RELEASE-FILE
//
// Opens FILE, creates READY-FILE, and closes FILE once RELEASE-FILE exists (or after 5 minutes).
// Exit code 0 when the file was held, 1 when it could not be opened.
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        std::fwprintf(stderr, L"usage: file-lock FILE READY-FILE RELEASE-FILE\n");
        return 2;
    }
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fwprintf(stderr, L"cannot open %ls: error %lu\n", argv[1], GetLastError());
        return 1;
    }
    const HANDLE ready =
        CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) {
        CloseHandle(ready);
    }
    const ULONGLONG deadline = GetTickCount64() + 300000;
    while (GetFileAttributesW(argv[3]) == INVALID_FILE_ATTRIBUTES && GetTickCount64() < deadline) {
        Sleep(100);
    }
    CloseHandle(file);
    return 0;
}
