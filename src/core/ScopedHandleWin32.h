#pragma once
#include <windows.h>

// The one owner of a system handle, closed when the owner goes. Traits name the handle's
// type, its "no handle" value and how it is closed. Closing keeps the thread's last error, so a
// failure reported after the handle is gone still carries the error that caused it.
template <class Traits> class ScopedHandle {
public:
    using Type = typename Traits::Type;

    explicit ScopedHandle(Type value = Traits::Invalid()) : value_(value) {}
    ~ScopedHandle() {
        if (IsValid()) {
            const DWORD saved = GetLastError();
            Traits::Close(value_);
            SetLastError(saved);
        }
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Type Get() const { return value_; }
    bool IsValid() const { return value_ != Traits::Invalid(); }

private:
    Type value_;
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using FileHandle = ScopedHandle<KernelHandleTraits>;

struct FindHandleTraits {
    using Type = HANDLE;
    static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { FindClose(handle); }
};
using FindHandle = ScopedHandle<FindHandleTraits>;

// Kernel objects whose "no handle" value is null (mutexes, events, threads).
struct KernelObjectTraits {
    using Type = HANDLE;
    static HANDLE Invalid() { return nullptr; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
using KernelObjectHandle = ScopedHandle<KernelObjectTraits>;

struct MenuTraits {
    using Type = HMENU;
    static HMENU Invalid() { return nullptr; }
    static void Close(HMENU menu) { DestroyMenu(menu); }
};
using MenuHandle = ScopedHandle<MenuTraits>;

struct RegistryKeyTraits {
    using Type = HKEY;
    static HKEY Invalid() { return nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};
using RegistryKeyHandle = ScopedHandle<RegistryKeyTraits>;
