#pragma once
// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <windows.h>

#include <gdiplus.h>

// Inside the graphics layer only: the count of live native objects, and the flat GDI+ calls.
namespace GraphicsObjects {
void Created();
void Released();
} // namespace GraphicsObjects

namespace Gdip = Gdiplus::DllExports;
