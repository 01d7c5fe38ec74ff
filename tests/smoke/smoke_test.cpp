#include <gtest/gtest.h>

#include "platform/CodePage.h"

TEST(Smoke, DefaultCodePageIsUtf8) {
    CCodePage cp;
    EXPECT_EQ(cp.Name(), "UTF-8");
}
