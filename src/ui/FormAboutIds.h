#pragma once
// Read by the C++ code and by the resource compiler, so plain macros only.
#define IDD_ABOUT 100
#define IDC_ABOUT_VERSION 1042
#define IDC_ABOUT_EMAIL 1036
#define IDC_ABOUT_WEB 1037
#define IDC_ABOUT_WEB_PAGE 1034
