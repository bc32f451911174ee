#include <gtest/gtest.h>

#include "host/Error.h"
#include "host/PropertyBag.h"

TEST(HostPropertyBag, Placeholder) { EXPECT_TRUE(host::KeyEquals("Caption", "CAPTION")); }
