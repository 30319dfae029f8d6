#pragma once
// Read by the C++ code and by the resource compiler, so plain macros only.

// The city picker.
#define IDD_SELECT_CITY 207
#define IDC_LIST_CITIES 1021

// The display-name dialog.
#define IDD_EDIT_CITY 208
#define IDC_EDIT_DISPLAY_NAME 1024
#define IDC_EDIT_DETAILS 1025
