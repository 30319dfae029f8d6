#pragma once
#include <cstdint>

// The calling thread's last system error: GetLastError on Windows, errno elsewhere.
uint32_t CaptureLastError();
void SetLastErrorValue(uint32_t value);
