#include "app/framework/contract.h"

#include <cwchar>

#include <gtest/gtest.h>

// The utility finds the game only by this exact class: a blank before and after
// each letter. A class without the leading blank would never be found.
TEST(Contract, GameWindowClassIsSevenCharactersWithBlanks) {
    EXPECT_EQ(7u, std::wcslen(gkr::kGameWindowClass));
    EXPECT_EQ(std::wstring(L" G K R "), gkr::kGameWindowClass);
}
