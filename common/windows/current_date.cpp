#include "common/date.h"

#include <windows.h>

namespace common {

Date CurrentDate() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return JoinDate(
        {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond});
}

} // namespace common
