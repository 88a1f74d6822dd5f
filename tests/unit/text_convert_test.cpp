#include "settings/text_convert.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace gkr {
namespace {

// "타이머 시작" (timer start) in code page 949: eleven bytes.
const std::string kTimerStart949 = "\xc5\xb8\xc0\xcc\xb8\xd3 \xbd\xc3\xc0\xdb";
const std::wstring kTimerStart = L"\ud0c0\uc774\uba38 \uc2dc\uc791";

std::string ErrorOfToWide(const std::string& narrow) {
    try {
        ToWide(narrow);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

std::string ErrorOfToNarrow(const std::wstring& wide) {
    try {
        ToNarrow(wide);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "no error";
}

TEST(TextConvert, EmptyStaysEmpty) {
    EXPECT_EQ(L"", ToWide(""));
    EXPECT_EQ("", ToNarrow(L""));
}

TEST(TextConvert, KoreanRoundTripsThroughCodePage949) {
    EXPECT_EQ(11u, kTimerStart949.size());
    EXPECT_EQ(kTimerStart, ToWide(kTimerStart949));
    EXPECT_EQ(6u, ToWide(kTimerStart949).size());
    EXPECT_EQ(kTimerStart949, ToNarrow(kTimerStart));
    EXPECT_EQ(L"GKR 1.0 & <x>", ToWide("GKR 1.0 & <x>"));
}

TEST(TextConvert, ExtendedHangulOutsideEucKrConverts) {
    // Code page 949 extends EUC-KR with the remaining Hangul syllables;
    // U+AC02 ("갂") is one of them (0x81 0x41).
    EXPECT_EQ(L"\uac02", ToWide("\x81\x41"));
    EXPECT_EQ("\x81\x41", ToNarrow(L"\uac02"));
}

TEST(TextConvert, DropsALeadByteCutOffAtTheEnd) {
    EXPECT_EQ(L"\ud0c0\uc774\uba38 ", ToWide(kTimerStart949.substr(0, 7) + "\xbd"));
    EXPECT_EQ(L"", ToWide("\xc5"));
}

TEST(TextConvert, EndsAtAnEmbeddedZero) {
    EXPECT_EQ(L"\ud0c0", ToWide(std::string("\xc5\xb8\0\xc0\xcc", 5)));
    EXPECT_EQ("\xc5\xb8", ToNarrow(std::wstring(L"\ud0c0\0\uc774", 3)));
}

TEST(TextConvert, InvalidBytesRaiseTheFixedError) {
    EXPECT_EQ("can't convert string to wstring", ErrorOfToWide("ab\x81\x20" "cd"));  // bad trail byte
    EXPECT_EQ("can't convert string to wstring", ErrorOfToWide("\xff"));
    // UTF-8 text written by another program is not code page 949.
    EXPECT_EQ("can't convert string to wstring", ErrorOfToWide("\xed\x83\x80\xec\x9d\xb4"));
}

TEST(TextConvert, UnrepresentableCharactersRaiseWithoutSubstitution) {
    EXPECT_EQ("can't convert wstring to string", ErrorOfToNarrow(L"caf\u00e9"));  // no look-alike 'e'
    EXPECT_EQ("can't convert wstring to string", ErrorOfToNarrow(L"\U0001F600"));
    EXPECT_EQ("can't convert wstring to string", ErrorOfToNarrow(L"a\u00a0b"));
}

TEST(TextConvert, DisplayTextKeepsWhatItCanOfADamagedName) {
    EXPECT_EQ(kTimerStart, DisplayText(kTimerStart949));
    EXPECT_EQ(L"pvp \ufffd\ufffd!", DisplayText("pvp \xed\x83!"));  // UTF-8 cut in half
    EXPECT_EQ(L"a\ufffd", DisplayText(std::string("a\xff\0b", 4)));
}

TEST(TextConvert, CallersCanCarryOnWithAReplacement) {
    EXPECT_EQ(L"?", ToWideOr("\xff", L"?"));
    EXPECT_EQ(kTimerStart, ToWideOr(kTimerStart949, L"?"));
    EXPECT_EQ("", ToNarrowOr(L"\u00e9", ""));
}

}  // namespace
}  // namespace gkr
