#pragma once
#include <cstdint>

// The time-zone status as the system reports it with the biases.
enum TimeZoneStatus : uint32_t {
  kTimeZoneUnknown = 0,
  kTimeZoneStandard = 1,
  kTimeZoneDaylight = 2,
};

// Offset of local time from UTC in milliseconds (local = UTC + offset), from the
// biases in minutes (UTC = local + bias in force). The standard bias counts only
// in standard time, the daylight bias only in daylight time; any other status
// (unknown, or a failed query) uses the plain bias.
int64_t utcOffsetMillis(uint32_t status, int32_t bias, int32_t standardBias, int32_t daylightBias);
