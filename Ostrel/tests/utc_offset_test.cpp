#include "utc_offset.h"

#include <gtest/gtest.h>

#include <climits>

TEST(UtcOffsetMillis, FollowsTheBiasInForce) {
  struct Case {
    uint32_t status;
    int32_t bias, standardBias, daylightBias;
    int64_t expected;
  } cases[] = {
      {kTimeZoneDaylight, -60, 0, -60, 7200000},     // central Europe in summer
      {kTimeZoneStandard, -60, 0, -60, 3600000},     // central Europe in winter
      {kTimeZoneDaylight, 300, 0, -60, -14400000},   // US east coast in summer
      {kTimeZoneStandard, 300, 0, -60, -18000000},   // US east coast in winter
      {kTimeZoneUnknown, -330, 0, 0, 19800000},      // half-hour zone without daylight time
      {kTimeZoneUnknown, -330, -30, -60, 19800000},  // unknown status ignores both extra biases
      {kTimeZoneStandard, -60, -30, -60, 5400000},   // a non-zero standard bias counts
      {kTimeZoneUnknown, -345, 0, 0, 20700000},      // quarter-hour zone
      {0xFFFFFFFFu, 0, 0, 0, 0},                     // failed query on a zero-filled structure
      {0xFFFFFFFFu, 120, -60, -60, -7200000},        // any other status uses the plain bias
  };
  for (const Case& c : cases) {
    EXPECT_EQ(utcOffsetMillis(c.status, c.bias, c.standardBias, c.daylightBias), c.expected)
        << "status " << c.status << " bias " << c.bias << " standard " << c.standardBias
        << " daylight " << c.daylightBias;
  }
}

TEST(UtcOffsetMillis, WidensBeforeTheSumAndTheProduct) {
  // In 32 bits both the sum and the product would overflow.
  EXPECT_EQ(utcOffsetMillis(kTimeZoneDaylight, INT_MIN, 0, INT_MIN), 2LL * 2147483648LL * 60000);
  EXPECT_EQ(utcOffsetMillis(kTimeZoneStandard, INT_MAX, INT_MAX, 0), -2LL * 2147483647LL * 60000);
  EXPECT_EQ(utcOffsetMillis(kTimeZoneUnknown, 40000, 0, 0), -2400000000LL);
}
