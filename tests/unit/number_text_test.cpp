#include "settings/number_text.h"

#include <climits>

#include <gtest/gtest.h>

namespace gkr {
namespace {

const DigitGrouping kKorean = DigitGrouping::Thousands(',');
const DigitGrouping kNone = DigitGrouping::None();

// ParseInt's result, or `untouched` when it refuses the text (and must then
// leave the target as it was).
int32_t Parsed(const std::string& text, const DigitGrouping& grouping, int32_t untouched = 77) {
    int32_t value = untouched;
    if (!ParseInt(text, grouping, value)) {
        EXPECT_EQ(untouched, value) << "a refused text changed the target";
    }
    return value;
}

bool Accepts(const std::string& text, const DigitGrouping& grouping) {
    int32_t value = 0;
    return ParseInt(text, grouping, value);
}

TEST(FormatInt, GroupsThousandsUnderAKoreanLocale) {
    EXPECT_EQ("1,024", FormatInt(1024, kKorean));
    EXPECT_EQ("-1", FormatInt(-1, kKorean));
    EXPECT_EQ("999", FormatInt(999, kKorean));
    EXPECT_EQ("-100,000", FormatInt(-100000, kKorean));
    EXPECT_EQ("2,147,483,647", FormatInt(INT32_MAX, kKorean));
    EXPECT_EQ("-2,147,483,648", FormatInt(INT32_MIN, kKorean));
}

TEST(FormatInt, WritesPlainDigitsWithoutGrouping) {
    EXPECT_EQ("1024", FormatInt(1024, kNone));
    EXPECT_EQ("0", FormatInt(0, kNone));
    EXPECT_EQ("-2147483648", FormatInt(INT32_MIN, kNone));
}

TEST(FormatInt, FollowsIrregularAndEndingGroupings) {
    const DigitGrouping indian{',', std::string("\3\2")};
    EXPECT_EQ("12,34,56,789", FormatInt(123456789, indian));
    const DigitGrouping single{'.', std::string("\3\x7f")};  // one group, then none
    EXPECT_EQ("123456.789", FormatInt(123456789, single));
}

TEST(ParseInt, ReadsSeparatorsOnlyWhereTheGroupingPutsThem) {
    EXPECT_EQ(1000, Parsed("1,000", kKorean));
    EXPECT_EQ(1000, Parsed("1000", kKorean));  // separators are optional
    EXPECT_EQ(-1234567, Parsed("-1,234,567", kKorean));
    EXPECT_FALSE(Accepts("10,00", kKorean));
    EXPECT_FALSE(Accepts("1,0000", kKorean));
    EXPECT_FALSE(Accepts("1000,000", kKorean));
    EXPECT_FALSE(Accepts(",100", kKorean));
    EXPECT_FALSE(Accepts("100,", kKorean));
    EXPECT_FALSE(Accepts("1,,000", kKorean));
    EXPECT_FALSE(Accepts("-,100", kKorean));
}

TEST(ParseInt, RefusesSeparatorsWithoutGrouping) {
    EXPECT_FALSE(Accepts("1,000", kNone));
    EXPECT_EQ(1000, Parsed("1000", kNone));
}

TEST(ParseInt, RequiresTheWholeTextToBeANumber) {
    for (const char* bad : {"", " 1", "1 ", "+", "-", "1a", "0x10", "1.0", "--1", "+-1", "\t5", "1\n"}) {
        EXPECT_FALSE(Accepts(bad, kKorean)) << '"' << bad << '"';
        EXPECT_FALSE(Accepts(bad, kNone)) << '"' << bad << '"';
    }
    EXPECT_EQ(5, Parsed("+5", kKorean));
    EXPECT_EQ(7, Parsed("007", kNone));
}

TEST(ParseInt, RefusesValuesOutsideThirtyTwoBits) {
    EXPECT_FALSE(Accepts("4294967295", kNone));
    EXPECT_FALSE(Accepts("4,294,967,295", kKorean));
    EXPECT_FALSE(Accepts("2147483648", kNone));
    EXPECT_FALSE(Accepts("-2147483649", kNone));
    EXPECT_FALSE(Accepts("99999999999999999999", kNone));
    EXPECT_EQ(INT32_MAX, Parsed("2147483647", kNone));
    EXPECT_EQ(INT32_MIN, Parsed("-2147483648", kNone));
}

TEST(ParseInt, ReadsBackEverythingFormatIntWrites) {
    const DigitGrouping groupings[] = {kKorean, kNone, DigitGrouping{' ', std::string("\3\2")},
                                       DigitGrouping{'.', std::string("\3\x7f")}};
    const int32_t values[] = {0, 1, -1, 999, 1000, -1000, 65535, 1234567, INT32_MAX, INT32_MIN, INT32_MIN + 1};
    for (const DigitGrouping& grouping : groupings) {
        for (int32_t value : values) {
            EXPECT_EQ(value, Parsed(FormatInt(value, grouping), grouping, 77 ^ value)) << FormatInt(value, grouping);
        }
    }
}

TEST(DigitGrouping, IgnoresASeparatorThatCouldBeReadAsPartOfTheNumber) {
    EXPECT_FALSE((DigitGrouping{'5', std::string("\3")}.Active()));
    EXPECT_FALSE((DigitGrouping{'-', std::string("\3")}.Active()));
    EXPECT_FALSE((DigitGrouping{',', std::string("\0", 1)}.Active()));
    EXPECT_EQ("12345", FormatInt(12345, DigitGrouping{'5', std::string("\3")}));
}

TEST(GroupingFromLocaleInfo, TranslatesTheWindowsGroupingList) {
    const DigitGrouping thousands = GroupingFromLocaleInfo(L",", L"3;0");
    EXPECT_EQ(',', thousands.separator);
    EXPECT_EQ(std::string("\3"), thousands.sizes);
    EXPECT_EQ("1,234,567", FormatInt(1234567, thousands));

    EXPECT_EQ("12,34,567", FormatInt(1234567, GroupingFromLocaleInfo(L",", L"3;2;0")));
    EXPECT_EQ("1234,567", FormatInt(1234567, GroupingFromLocaleInfo(L",", L"3")));
    EXPECT_EQ("1 234 567", FormatInt(1234567, GroupingFromLocaleInfo(L" ", L"3;0")));
}

TEST(GroupingFromLocaleInfo, FallsBackToNoGroupingForWhatItCannotUse) {
    EXPECT_FALSE(GroupingFromLocaleInfo(L"\u00a0", L"3;0").Active());  // no single narrow byte
    EXPECT_FALSE(GroupingFromLocaleInfo(L"", L"3;0").Active());
    EXPECT_FALSE(GroupingFromLocaleInfo(L",,", L"3;0").Active());
    EXPECT_FALSE(GroupingFromLocaleInfo(L",", L"0").Active());
    EXPECT_FALSE(GroupingFromLocaleInfo(L",", L"").Active());
    EXPECT_FALSE(GroupingFromLocaleInfo(L",", L"12;0").Active());
    EXPECT_FALSE(GroupingFromLocaleInfo(L"1", L"3;0").Active());
}

}  // namespace
}  // namespace gkr
