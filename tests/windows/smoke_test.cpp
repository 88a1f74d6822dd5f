#include <windows.h>

#include <gtest/gtest.h>

TEST(WindowsSmoke, RunsUnderWine) {
    EXPECT_NE(nullptr, GetModuleHandleW(nullptr));
}
