// The version macros, as a program gets them from the chart's header: the
// parts, the string and the single number say the same version.
#include <gtest/gtest.h>

#include <string>

#include "chart/plotwell.h"

namespace korvo {
namespace {

// The single number has two decimal places for minor and patch each.
static_assert(PLOTWELL_VERSION_MINOR < 100 && PLOTWELL_VERSION_PATCH < 100);
static_assert(PLOTWELL_VERSION ==
              PLOTWELL_VERSION_MAJOR * 10000 + PLOTWELL_VERSION_MINOR * 100 + PLOTWELL_VERSION_PATCH);
#if PLOTWELL_VERSION < 900
#error "the version number is usable in #if and is at least 0.9.0"
#endif

TEST(Version, StringIsTheParts) {
  EXPECT_EQ(std::string(PLOTWELL_VERSION_STRING), std::to_string(PLOTWELL_VERSION_MAJOR) + "." +
                                                      std::to_string(PLOTWELL_VERSION_MINOR) + "." +
                                                      std::to_string(PLOTWELL_VERSION_PATCH));
}

}  // namespace
}  // namespace korvo
