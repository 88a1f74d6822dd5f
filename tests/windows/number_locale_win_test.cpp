// The digit grouping of the user's locale as Windows reports it. The Korean
// cases run in a ctest entry of their own with LANG=ko_KR.UTF-8, which Wine
// maps to the ko-KR user locale.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/defaults.h"
#include "settings/data_files.h"
#include "settings/number_text.h"
#include "settings/settings_file.h"
#include "settings_win_support.h"

namespace gkr {
namespace {

TEST(UserDigitGroupingWin, FormatsWhatItParses) {
    const DigitGrouping grouping = UserDigitGrouping();
    for (int32_t value : {0, -1, 1024, -65536, 2147483647}) {
        int32_t back = 0;
        EXPECT_TRUE(ParseInt(FormatInt(value, grouping), grouping, back));
        EXPECT_EQ(value, back);
    }
}

TEST(KoreanLocale, UserLocaleIsKoreanWithCodePage949) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    ASSERT_GT(GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH), 0);
    ASSERT_EQ(std::wstring(L"ko-KR"), name) << "run with LANG=ko_KR.UTF-8";
    EXPECT_EQ(949u, GetACP());
}

TEST(KoreanLocale, GroupsThousandsWithACommaInTheFile) {
    const DigitGrouping grouping = UserDigitGrouping();
    EXPECT_EQ(',', grouping.separator);
    EXPECT_EQ(std::string("\3"), grouping.sizes);
    EXPECT_EQ("1,024", FormatInt(1024, grouping));
    EXPECT_EQ("-1", FormatInt(-1, grouping));

    testing::WinTempDir dir;
    Settings written;
    StoreDefaultOptions(written);
    written.FluteWndX = 1024;
    written.MaxHealth = 12345;
    ASSERT_TRUE(SaveSettings(written, dir.File("conf.xml")));
    const std::string text = testing::ReadBytes(dir.File("conf.xml"));
    EXPECT_NE(std::string::npos, text.find(" FluteWndX=\"1,024\" "));
    EXPECT_NE(std::string::npos, text.find(" MaxHealth=\"12,345\" "));

    Settings read;
    StoreDefaultOptions(read);
    LoadSettings(read, dir.File("conf.xml"));
    EXPECT_EQ(1024, read.FluteWndX);
    EXPECT_EQ(12345, read.MaxHealth);
}

}  // namespace
}  // namespace gkr
