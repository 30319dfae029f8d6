#pragma once
// The menu commands of the program, read by the C++ code and by the resource compiler, so plain
// macros only.
#define IDC_WEB_PAGE 32833
#define IDC_FEEDBACK 32831
#define IDC_LOCAL_WEATHER 32834
#define IDC_EARTH 32820
#define IDC_OPTIONS 32815
#define IDC_EXIT 57665
