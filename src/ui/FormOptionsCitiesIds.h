#pragma once
// Read by the C++ code and by the resource compiler, so plain macros only.

// The options dialog's "Favorite Cities" page.
#define IDD_OPTIONS_CITIES 206
#define IDC_CITIES_HOME 1016
#define IDC_CITIES_ADD 1018
#define IDC_CITIES_REMOVE 1019
#define IDC_CITIES_RENAME 1020
#define IDC_CITIES_LIST 1021
