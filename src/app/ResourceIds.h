#pragma once
// Read by the C++ code and by the resource compiler, so plain macros only.
#define IDI_PROGRAM 128
// The notification icon's menu.
#define IDM_NOTIFY_ICON 209
