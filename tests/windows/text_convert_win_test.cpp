// Code page 949 through the Windows conversion tables.
#include "settings/text_convert.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace gkr {
namespace {

const std::string kTimerStart949 = "\xc5\xb8\xc0\xcc\xb8\xd3 \xbd\xc3\xc0\xdb";  // 타이머 시작
const std::wstring kTimerStart = L"\ud0c0\uc774\uba38 \uc2dc\uc791";

template <typename Call>
std::string ErrorOf(Call call) {
    try {
        call();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

TEST(TextConvertWin, KoreanRoundTripsAndEmptyStaysEmpty) {
    EXPECT_EQ(kTimerStart, ToWide(kTimerStart949));
    EXPECT_EQ(kTimerStart949, ToNarrow(kTimerStart));
    EXPECT_EQ(L"\uac02", ToWide("\x81\x41"));  // Hangul beyond EUC-KR
    EXPECT_EQ(L"", ToWide(""));
    EXPECT_EQ("", ToNarrow(L""));
}

TEST(TextConvertWin, DropsALeadByteCutOffAtTheEnd) {
    // The Windows tables reject such a byte outright; it must be dropped.
    EXPECT_EQ(L"\ud0c0\uc774\uba38 ", ToWide(kTimerStart949.substr(0, 7) + "\xbd"));
    EXPECT_EQ(L"ab", ToWide("ab\xc5"));
    EXPECT_EQ(L"", ToWide("\xc5"));
}

TEST(TextConvertWin, EndsAtAnEmbeddedZero) {
    EXPECT_EQ(L"\ud0c0", ToWide(std::string("\xc5\xb8\0\xc0\xcc", 5)));
    EXPECT_EQ("\xc5\xb8", ToNarrow(std::wstring(L"\ud0c0\0\uc774", 3)));
}

TEST(TextConvertWin, InvalidBytesRaiseTheFixedError) {
    EXPECT_EQ("can't convert string to wstring", ErrorOf([] { ToWide("ab\x81\x20" "cd"); }));
    EXPECT_EQ("can't convert string to wstring", ErrorOf([] { ToWide("\xff"); }));
}

TEST(TextConvertWin, NoBestFitSubstitution) {
    // Windows would turn these into '?' or a look-alike; both must fail.
    EXPECT_EQ("can't convert wstring to string", ErrorOf([] { ToNarrow(L"caf\u00e9"); }));
    EXPECT_EQ("can't convert wstring to string", ErrorOf([] { ToNarrow(L"a\u00a0b"); }));
    EXPECT_EQ("can't convert wstring to string", ErrorOf([] { ToNarrow(std::wstring(1, wchar_t(0xd800))); }));
    EXPECT_EQ("?", ToNarrow(L"?"));  // a real question mark is fine
}

}  // namespace
}  // namespace gkr
