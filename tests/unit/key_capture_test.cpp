#include "input/key_capture.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "input/hotkey_text.h"

namespace gkr {
namespace {

TEST(KeyCapture, RecordsKeysPressedSinceTheLastQuerySortedOnce) {
    KeyQuery query{};
    query[66] = 0x8001;            // B, then A: listed in code order
    query[65] = 0x0001;            // pressed and already released
    query[67] = 0x8000;            // held since before the previous query
    query[1] = query[6] = 0x8001;  // mouse buttons and Cancel never count
    EXPECT_EQ((std::vector<uint32_t>{65, 66}), AddPressedKeys({}, query));
    // Added to what is recorded; a code from the file keeps its signed place.
    EXPECT_EQ((std::vector<uint32_t>{0xFFFFFFFFu, 17, 65, 66}), AddPressedKeys({66, 17, 0xFFFFFFFFu}, query));
}

std::wstring PadText(const std::vector<int32_t>& codes) {
    std::vector<std::wstring> items;
    for (int32_t code : codes) items.push_back(PadCodeText(code));
    return JoinItems(items);
}

TEST(PadCapture, RecordsHeldButtonsAndAxesPushedBeyondTheirThresholds) {
    PadContext pad;
    pad.caps.wXmax = pad.caps.wYmax = pad.caps.wZmax = 65535;
    pad.caps.wCaps = kPadHasPov;  // no Z
    pad.caps.wMaxButtons = 12;
    pad.thresholds = ComputeAxisThresholds(pad.caps);
    PadPosition p;
    p.x = 0, p.y = 32767, p.z = 65535, p.pov = 4500;  // left; Z the pad lacks; hat diagonal
    p.buttons = 0x5 | (1u << 20);                     // buttons 1 and 3, and one beyond wMaxButtons
    EXPECT_EQ(L"-X + BTN_1 + BTN_3", PadText(AddPadConditions({}, p, pad)));
    p.pov = 0;
    EXPECT_EQ((std::vector<int32_t>{-10, -1, 1, 3, 5}), AddPadConditions({5, 1}, p, pad));

    // At a threshold: not recorded, but matched once recorded.
    p = PadPosition{pad.thresholds.x.low, pad.thresholds.y.high, 0, 0, 0, 0, 0, 65535};
    EXPECT_TRUE(AddPadConditions({}, p, pad).empty());
    EXPECT_TRUE(PadCombinationActive({-1, -4}, p, pad));
    // No range (capabilities never read): nothing.
    EXPECT_TRUE(AddPadConditions({}, PadPosition{40000}, PadContext{}).empty());
}

TEST(HotkeyText, ItemsJoinAndOnlyTheShownPartIsCut) {
    EXPECT_EQ(L"Ctrl(17) + A(65)", JoinItems({KeyItemText(L"Ctrl", 17), KeyItemText(L"A", 65)}));
    EXPECT_EQ(L"\u2193 + +V + BTN_0 + BTN_37", PadText({-9, -16, 0, 37}));
    // Sixty held keys make a long text; the box shows its first 255 units.
    std::vector<std::wstring> items;
    for (uint32_t code = 100; code < 160; ++code) items.push_back(KeyItemText(L"Num Lock", code));
    const std::wstring all = JoinItems(items);
    ASSERT_GT(all.size(), 600u);
    EXPECT_EQ(all.substr(0, 255), ShownText(all));
    // A character outside the BMP (two UTF-16 units) is not cut in half.
    EXPECT_EQ(std::wstring(254, L'x'), ShownText(std::wstring(254, L'x') + wchar_t(0xD83D) + wchar_t(0xDE00)));
    // Navigation keys are named as the extended keys of their block.
    for (uint32_t code : {0x21u, 0x28u, 0x2Du, 0x2Eu}) EXPECT_EQ(0x147u, KeyNameScanCode(code, 0x47)) << code;
    for (uint32_t code : {0x20u, 0x29u, 0x2Cu, 0x2Fu}) EXPECT_EQ(0x47u, KeyNameScanCode(code, 0x47)) << code;
}

}  // namespace
}  // namespace gkr
