// The hotkey page and the key capture dialog inside this process. The modal
// capture is driven by steps on a thread timer, with keys sent by SendInput.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/defaults.h"
#include "input/accel_dlg_win.h"
#include "input/pad_caps_win.h"
#include "input/select_dlg_win.h"
#include "resources/page_ids.h"
#include "tests/windows/manager_test_support.h"

namespace gkr {
namespace {

using Step = std::function<bool()>;  // false: try again on the next tick

std::vector<Step> g_steps;
size_t g_step = 0;
int g_ticksLeft = 0;

HWND Capture() { return SelectDlg::Instance().Live(); }

std::wstring CaptureText() { return Capture() ? testing::TextOf(GetDlgItem(Capture(), IDC_SELECT_TEXT)) : L"-"; }

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
    if (--g_ticksLeft < 0 && Capture()) EndDialog(Capture(), IDCANCEL);  // a stuck script
    if (g_ticksLeft >= 0 && g_step < g_steps.size() && g_steps[g_step]()) ++g_step;
}

void SendKey(WORD vk, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
}

Step WaitForText(const std::wstring& text) {
    return [text] { return CaptureText() == text; };
}

Step Press(int id) {
    return [id] { return SendMessageW(Capture(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0), true; };
}

Accel Record(const std::string& name, int32_t num, std::vector<uint32_t> keys) {
    Accel a;
    a.name = name, a.num = num, a.keys = std::move(keys);
    return a;
}

class HotkeyDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        parent = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 500, 400, nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent);  // and the page with it
        testing::DrainMessages();
    }

    HWND OpenPage(AccelList hotkeys) {
        Settings::Instance().accels.Publish(std::move(hotkeys));
        HWND page = AccelDlg::Instance().Create(parent);
        list = GetDlgItem(page, IDC_ACCEL_LIST);
        return page;
    }

    std::wstring RowText(int row) {
        wchar_t text[512] = {};
        LVITEMW item = {};
        item.pszText = text;
        item.cchTextMax = 512;
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    // Selects a row as a click does and presses "키설정" (or another button);
    // returns the steps run.
    size_t EditRow(HWND page, int row, std::vector<Step> steps, int button = IDC_ACCEL_SETKEYS) {
        SendMessageW(list, LVM_SETSELECTIONMARK, 0, row);
        g_steps = std::move(steps), g_step = 0, g_ticksLeft = 250;
        const UINT_PTR timer = SetTimer(nullptr, 0, 20, RunStep);
        SendMessageW(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        KillTimer(nullptr, timer);
        return g_step;
    }

    testing::SettingsGuard settings;
    HWND parent = nullptr;
    HWND list = nullptr;
};

TEST_F(HotkeyDialogs, PageListsTheActionsLastFirstAndStoresAllEightSwitches) {
    Settings& s = Settings::Instance();
    for (Option* o : {&s.UseKey, &s.UsePad, &s.UseX, &s.UseY, &s.UseZ, &s.UseR, &s.UseU, &s.UseV}) *o = 1;
    BuildDefaultActionList(s);
    AccelList hotkeys = s.accels.Copy();
    hotkeys.push_back(Record(std::string(300, 'n'), 8, {}));  // a long name from a hand-edited file
    HWND page = OpenPage(hotkeys);
    EXPECT_EQ(std::wstring(255, L'n'), RowText(0));
    EXPECT_EQ(L"악보 보이기", RowText(1));
    EXPECT_EQ(L"타이머 시작", RowText(8));

    // The user clears "U" while UseKey was changed behind the page's back.
    CheckDlgButton(page, IDC_ACCEL_USEU, BST_UNCHECKED);
    s.UseKey = 0;
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_ACCEL_USEU, BN_CLICKED), 0);
    EXPECT_EQ(0, s.UseU.load());
    EXPECT_EQ(1, s.UseKey.load());
}

TEST_F(HotkeyDialogs, RowEditsTheRecordAtItsPositionAndPublishesAWholeList) {
    // Numbers as a hand-edited file may have them: repeated and out of range.
    HWND page = OpenPage({Record("a", 5, {66}), Record("b", 5, {67}), Record("c", -1, {65})});
    const auto before = Settings::Instance().accels.Snapshot();
    EXPECT_EQ(4u, EditRow(page, 0, {WaitForText(L"A(65)"), Press(IDC_SELECT_CLEAR), WaitForText(L""), Press(IDOK)}));
    const auto after = Settings::Instance().accels.Snapshot();
    ASSERT_EQ(3u, after->size());
    EXPECT_TRUE((*after)[2].keys.empty());
    EXPECT_EQ(-1, (*after)[2].num);
    EXPECT_EQ(std::vector<uint32_t>{67}, (*after)[1].keys);
    EXPECT_EQ(std::vector<uint32_t>{65}, (*before)[2].keys) << "the list a poll holds was changed";
}

TEST_F(HotkeyDialogs, CaptureRecordsOnlyKeysPressedWhileItIsOpen) {
    HWND page = OpenPage({Record("a", 0, {})});
    SendKey('Q', true);  // pressed and released before the dialog opens
    SendKey('Q', false);
    std::wstring beforeW = L"-";
    const size_t steps = EditRow(page, 0,
                                 {[n = 0]() mutable { return ++n > 5; },  // a few capture ticks
                                  [&] { return beforeW = CaptureText(), SendKey('W', true), true; },
                                  WaitForText(L"W(87)"), Press(IDCANCEL)});
    SendKey('W', false);
    EXPECT_EQ(4u, steps) << "shown: " << std::string(CaptureText().begin(), CaptureText().end());
    EXPECT_EQ(L"", beforeW) << "a key pressed before the dialog opened was recorded";
    EXPECT_TRUE(Settings::Instance().accels.Snapshot()->front().keys.empty()) << "cancelled";
    // Nothing selected: nothing opens.
    EXPECT_EQ(0u, EditRow(page, -1, {}));
    EXPECT_EQ(nullptr, Capture());
}

TEST_F(HotkeyDialogs, PadCaptureWithoutAJoystickRecordsNothing) {
    JOYCAPSW probe{};
    if (joyGetDevCapsW(0, &probe, sizeof probe) == JOYERR_NOERROR) GTEST_SKIP() << "a joystick is attached";
    PadCaps earlier;  // from a pad that was there before
    earlier.wXmax = earlier.wYmax = 65535;
    earlier.wCaps = kPadHasPov;
    StorePadCaps(earlier);
    HWND page = OpenPage({Record("a", 0, {})});
    std::wstring shown = L"-";
    const Step look = [&] { return shown = CaptureText(), Press(IDCANCEL)(); };
    EXPECT_EQ(2u, EditRow(page, 0, {[n = 0]() mutable { return ++n > 5; }, look}, IDC_ACCEL_SETPAD));
    EXPECT_EQ(L"", shown) << "a failed read taken for a stick pushed and a hat up";
    StorePadCaps(PadCaps{});
}

}  // namespace
}  // namespace gkr
