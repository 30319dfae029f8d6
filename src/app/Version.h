#pragma once
// Read by the C++ code and by the resource compiler, so plain macros only.
#define ORBIMETEO_VERSION_TEXT "3.2.5"
#define ORBIMETEO_VERSION_WIDE L"3.2.5"
#define ORBIMETEO_VERSION_NUMBERS 3, 2, 5, 0
