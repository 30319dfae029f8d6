#pragma once
// Read by the C++ code and by the resource compiler, so plain macros only.
// The Earth viewer's menu and accelerator table.
#define IDR_EARTH 128
#define IDC_ABOUT 57664
