#include "common/date.h"

#include <ctime>

namespace common {

Date CurrentDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return JoinDate({std::int64_t{local.tm_year} + 1900, static_cast<unsigned>(local.tm_mon + 1),
                     static_cast<unsigned>(local.tm_mday), static_cast<unsigned>(local.tm_hour),
                     static_cast<unsigned>(local.tm_min), static_cast<unsigned>(local.tm_sec)});
}

} // namespace common
