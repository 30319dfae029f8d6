#pragma once
// Read by the C++ code and by the resource compiler, so plain macros only.
#define IDI_PROGRAM 128
