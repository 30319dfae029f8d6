#include "core/LastError.h"

#include <windows.h>

uint32_t CaptureLastError() {
    return GetLastError();
}

void SetLastErrorValue(uint32_t value) {
    SetLastError(value);
}
