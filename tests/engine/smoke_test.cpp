#include <gtest/gtest.h>
#include "cnotes.h"
TEST(Smoke, Reads) { tw::CNotes n; n.SetOutputSeparator(","); n.SetFull_RTTTL("A:d=4,o=5,b=125:c,d"); EXPECT_EQ(n.Full_RTTTL(), "A:d=4,o=5,b=125:c,d"); }
