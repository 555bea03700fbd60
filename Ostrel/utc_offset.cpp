#include "utc_offset.h"

int64_t utcOffsetMillis(uint32_t status, int32_t bias, int32_t standardBias, int32_t daylightBias) {
  // Widened before the sum, so that no bias the system may report overflows.
  int64_t minutes = bias;
  if (status == kTimeZoneStandard) {
    minutes += standardBias;
  } else if (status == kTimeZoneDaylight) {
    minutes += daylightBias;
  }
  return minutes * -60000;
}
