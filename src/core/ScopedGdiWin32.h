#pragma once
#include "core/ScopedHandleWin32.h"

// Owners of GDI handles, in the one owner style of ScopedHandle.

struct GdiObjectTraits {
    using Type = HGDIOBJ;
    static HGDIOBJ Invalid() { return nullptr; }
    static void Close(HGDIOBJ object) { DeleteObject(object); }
};
using GdiObjectHandle = ScopedHandle<GdiObjectTraits>;

struct MemoryDcTraits {
    using Type = HDC;
    static HDC Invalid() { return nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};
using MemoryDcHandle = ScopedHandle<MemoryDcTraits>;

struct ScreenDcTraits {
    using Type = HDC;
    static HDC Invalid() { return nullptr; }
    static void Close(HDC dc) { ReleaseDC(nullptr, dc); }
};
// The screen's device context, from GetDC(nullptr).
using ScreenDcHandle = ScopedHandle<ScreenDcTraits>;

// An object selected into a device context until this goes, when the former one returns.
class SelectedGdiObject {
public:
    SelectedGdiObject(HDC dc, HGDIOBJ object) : dc_(dc), former_(SelectObject(dc, object)) {}
    ~SelectedGdiObject() {
        if (former_ != nullptr && former_ != HGDI_ERROR) {
            SelectObject(dc_, former_);
        }
    }
    SelectedGdiObject(const SelectedGdiObject&) = delete;
    SelectedGdiObject& operator=(const SelectedGdiObject&) = delete;

    bool IsSelected() const { return former_ != nullptr && former_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ former_;
};
