// Every dialog template of the settings pages, created from the program's own
// resources: each control's id, class, text, position and the style bits the
// pages' code relies on. A typo in a Korean label or an id fails here; the
// ids are spelled out as numbers so a wrong value in page_ids.h fails too.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>


namespace gkr {
namespace {

struct Control {
    int id;
    const wchar_t* cls;
    const wchar_t* text;
    RECT dlu;  // x, y, width, height in dialog units, see Dlu
    DWORD styleMask = 0;
    DWORD style = 0;  // (GetWindowLong(GWL_STYLE) & styleMask) must equal this
    bool checkHeight = true;
    bool bordered = false;  // WS_BORDER, which dialogs may turn into WS_EX_CLIENTEDGE
};

// x, y, width, height: the dialog manager converts each on its own.
RECT Dlu(int x, int y, int w, int h) { return RECT{x, y, w, h}; }

Control Check(int id, const wchar_t* text, RECT r) { return {id, L"Button", text, r, BS_TYPEMASK, BS_AUTOCHECKBOX}; }
Control Push(int id, const wchar_t* text, RECT r) { return {id, L"Button", text, r, BS_TYPEMASK, BS_PUSHBUTTON}; }
Control Label(const wchar_t* text, RECT r) { return {-1, L"Static", text, r, SS_TYPEMASK, SS_LEFT}; }
Control Edit(int id, RECT r, bool readOnly) {
    return {id, L"Edit", L"", r, ES_READONLY | ES_AUTOHSCROLL, DWORD((readOnly ? ES_READONLY : 0) | ES_AUTOHSCROLL),
            true, true};
}
// A closed drop-down list is shorter than its template height, which is that of the open list.
Control DropList(int id, RECT r) { return {id, L"ComboBox", L"", r, 3, CBS_DROPDOWNLIST, false}; }
Control Trackbar(int id, RECT r) {
    return {id, TRACKBAR_CLASSW, L"", r, TBS_VERT | TBS_NOTICKS, TBS_HORZ | TBS_NOTICKS};
}

class PageTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
    }
    void SetUp() override {
        parent = CreateWindowExW(0, L"Static", L"page parent", WS_OVERLAPPEDWINDOW, 0, 0, 600, 500, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(nullptr, parent);
    }
    void TearDown() override {
        if (page) DestroyWindow(page);
        DestroyWindow(parent);
    }

    static INT_PTR CALLBACK Quiet(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

    void Create(int templateId) {
        page = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), parent, Quiet, 0);
        ASSERT_NE(nullptr, page) << "template " << templateId << ", error " << GetLastError();
    }

    // Pixel rectangle (left, top, right, bottom) of a Dlu(x, y, width, height).
    RECT ToPixels(RECT dlu) const {
        MapDialogRect(page, &dlu);
        return RECT{dlu.left, dlu.top, dlu.left + dlu.right, dlu.top + dlu.bottom};
    }

    void ExpectSize(int width, int height) {
        RECT client{};
        GetClientRect(page, &client);
        RECT expected = ToPixels(Dlu(0, 0, width, height));
        EXPECT_EQ(expected.right, client.right);
        EXPECT_EQ(expected.bottom, client.bottom);
    }

    void ExpectControls(const std::vector<Control>& expected) {
        std::vector<HWND> children;
        for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
        ASSERT_EQ(expected.size(), children.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            const Control& e = expected[i];
            HWND c = children[i];
            SCOPED_TRACE(testing::Message() << "control " << i << " (id " << e.id << ")");
            EXPECT_EQ(e.id, GetDlgCtrlID(c));

            wchar_t cls[64] = {};
            GetClassNameW(c, cls, 64);
            EXPECT_EQ(0, lstrcmpiW(e.cls, cls)) << "class " << std::wstring(cls).size();

            wchar_t text[128] = {};
            GetWindowTextW(c, text, 128);
            EXPECT_EQ(std::wstring(e.text), std::wstring(text));

            const DWORD style = DWORD(GetWindowLongW(c, GWL_STYLE));
            EXPECT_EQ(e.style, style & e.styleMask) << std::hex << "style 0x" << style;
            if (e.bordered) {
                const DWORD exStyle = DWORD(GetWindowLongW(c, GWL_EXSTYLE));
                EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) << "no border";
            }

            RECT r{};
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&r), 2);
            const RECT px = ToPixels(e.dlu);
            EXPECT_EQ(px.left, r.left);
            EXPECT_EQ(px.top, r.top);
            EXPECT_EQ(px.right, r.right);
            if (e.checkHeight) {
                EXPECT_EQ(px.bottom, r.bottom);
            }
        }
    }

    HWND parent = nullptr;
    HWND page = nullptr;
};

TEST_F(PageTemplates, HotkeyPage141) {
    Create(141);
    ExpectSize(210, 140);
    ExpectControls({
        {57689, WC_LISTVIEWW, L"", Dlu(5, 8, 134, 105), LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
         LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, true, true},
        Push(57692, L"키설정", Dlu(150, 5, 40, 15)),
        Push(57693, L"패드설정", Dlu(150, 25, 40, 15)),
        Check(57697, L"키보드 사용", Dlu(145, 45, 58, 10)),
        Check(57696, L"패드 사용", Dlu(145, 60, 50, 10)),
        Check(57745, L"X", Dlu(145, 75, 20, 10)),
        Check(57746, L"Y", Dlu(175, 75, 20, 10)),
        Check(1007, L"Z", Dlu(145, 90, 20, 10)),
        Check(57748, L"R", Dlu(175, 90, 20, 10)),
        Check(57744, L"U", Dlu(145, 105, 20, 10)),
        Check(57747, L"V", Dlu(175, 105, 20, 10)),
    });
}

TEST_F(PageTemplates, CaptureDialog131) {
    Create(131);
    ExpectSize(181, 52);
    wchar_t caption[32] = {};
    GetWindowTextW(page, caption, 32);
    EXPECT_EQ(std::wstring(L"선택"), caption);
    const DWORD style = DWORD(GetWindowLongW(page, GWL_STYLE));
    EXPECT_EQ(DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU), style & (WS_POPUP | WS_CHILD | WS_CAPTION | WS_SYSMENU));
    ExpectControls({
        Edit(-1, Dlu(10, 8, 159, 15), true),
        {IDOK, L"Button", L"선택", Dlu(10, 30, 50, 14), BS_TYPEMASK, BS_DEFPUSHBUTTON},
        Push(57691, L"지우기", Dlu(65, 30, 50, 14)),
        Push(IDCANCEL, L"취소", Dlu(120, 30, 50, 14)),
    });
    // The capture dialog finds its text box by the id -1.
    wchar_t cls[16] = {};
    GetClassNameW(GetDlgItem(page, -1), cls, 16);
    EXPECT_EQ(0, lstrcmpiW(L"Edit", cls));
}

TEST_F(PageTemplates, EnergyPage135) {
    Create(135);
    ExpectSize(210, 140);
    ExpectControls({
        Check(57734, L"에너지바 보기", Dlu(5, 8, 66, 10)),
        Label(L"타입", Dlu(90, 8, 19, 16)),
        DropList(1000, Dlu(113, 7, 83, 40)),
        Label(L"체력 최대", Dlu(10, 25, 42, 15)),
        Edit(57749, Dlu(53, 25, 75, 12), true),
        Trackbar(57732, Dlu(29, 50, 175, 20)),
        Trackbar(57733, Dlu(29, 70, 175, 20)),
        Label(L"X좌표", Dlu(4, 52, 26, 14)),
        Label(L"Y좌표", Dlu(4, 72, 26, 14)),
        Edit(1002, Dlu(55, 95, 75, 12), true),
    });
}

TEST_F(PageTemplates, TimerPage139) {
    Create(139);
    ExpectSize(210, 140);
    ExpectControls({
        Trackbar(57738, Dlu(35, 10, 155, 15)),
        Label(L"크기", Dlu(10, 12, 25, 10)),
        Check(57737, L"타이머 사용", Dlu(10, 30, 91, 14)),
        Check(1001, L"게임 시작시 자동 시작", Dlu(10, 50, 94, 10)),
    });
}

TEST_F(PageTemplates, SongSheetPage143) {
    Create(143);
    ExpectSize(210, 140);
    ExpectControls({
        Check(57739, L"게임 내 악보보기 사용", Dlu(10, 9, 100, 16)),
        Check(1001, L"피리명인", Dlu(115, 10, 85, 16)),
        Label(L"좌/우", Dlu(30, 25, 27, 10)),
        Label(L"위", Dlu(95, 25, 27, 10)),
        Label(L"아래", Dlu(155, 25, 27, 10)),
        DropList(57743, Dlu(15, 37, 45, 35)),
        DropList(57742, Dlu(80, 37, 45, 35)),
        DropList(57744, Dlu(145, 37, 45, 35)),
        {57706, WC_LISTVIEWW, L"", Dlu(9, 54, 185, 70), LVS_TYPEMASK, LVS_REPORT},
    });
}

TEST_F(PageTemplates, KeyConfigPage133) {
    Create(133);
    ExpectSize(210, 140);
    ExpectControls({
        Label(L"이름", Dlu(5, 7, 24, 14)),
        Edit(57702, Dlu(35, 6, 110, 14), false),
        Push(57703, L"백업", Dlu(150, 5, 45, 15)),
        // Never sorted: item i is record i. The scroll bar comes and goes with
        // the items, and the height snaps to whole items.
        {57706, L"ListBox", L"", Dlu(5, 25, 190, 45), LBS_SORT | LBS_NOTIFY, LBS_NOTIFY, false, true},
        Push(57704, L"선택", Dlu(5, 75, 30, 15)),
        Push(57705, L"삭제", Dlu(58, 75, 30, 15)),
        Push(57710, L"기본", Dlu(111, 75, 30, 15)),
        Push(57711, L"해제", Dlu(165, 75, 30, 15)),
        Label(L"기본설정", Dlu(5, 97, 38, 14)),
        Edit(57712, Dlu(45, 95, 135, 14), false),
        Check(1004, L"기본설정 자동 적용", Dlu(10, 115, 84, 10)),
        Check(1005, L"자동 백업 및 복원 사용", Dlu(105, 115, 96, 10)),
    });
}

TEST_F(PageTemplates, UnusedPages137And145AreEmpty) {
    for (int id : {137, 145}) {
        Create(id);
        ExpectSize(210, 140);
        EXPECT_EQ(nullptr, GetWindow(page, GW_CHILD));
        DestroyWindow(page);
        page = nullptr;
    }
}

TEST_F(PageTemplates, PagesUseTheShellDialogFontAtEightPoints) {
    for (int id : {141, 135, 139, 143, 133, 131}) {
        HRSRC res = FindResourceW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /*RT_DIALOG*/);
        ASSERT_NE(nullptr, res) << id;
        const auto* bytes = static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleW(nullptr), res)));
        const DWORD size = SizeofResource(GetModuleHandleW(nullptr), res);
        const std::wstring face = L"Ms Shell Dlg 2";
        const std::wstring all(reinterpret_cast<const wchar_t*>(bytes), size / sizeof(wchar_t));
        const size_t at = all.find(face);
        ASSERT_NE(std::wstring::npos, at) << id;
        // DLGTEMPLATEEX: point size (WORD), weight (WORD), italic, charset, then the face.
        EXPECT_EQ(8, reinterpret_cast<const WORD*>(all.data() + at)[-3]) << id;
    }
}

TEST_F(PageTemplates, ManagerDialog1042) {
    Create(1042);
    ExpectSize(221, 224);
    ExpectControls({
        {1004, WC_TABCONTROLW, L"", Dlu(5, 5, 210, 160), TCS_MULTILINE, TCS_MULTILINE},
        Push(57729, L"그라최상위", Dlu(5, 176, 50, 15)),
        Push(57730, L"최상위해제", Dlu(5, 191, 50, 15)),
        Push(57732, L"그라F", Dlu(58, 176, 50, 15)),
        Push(1001, L"그라강종", Dlu(58, 191, 50, 15)),
        {57690, L"Button", L"종료", Dlu(111, 176, 50, 30), BS_TYPEMASK | BS_PUSHLIKE, BS_AUTOCHECKBOX | BS_PUSHLIKE},
        {1003, L"Button", L"제작자 홈페이지 바로가기", Dlu(164, 176, 50, 30), BS_TYPEMASK | BS_MULTILINE,
         BS_PUSHBUTTON | BS_MULTILINE},
        {-1, L"Static", L"GKR Utility by Tovrin v0.0.1.4", Dlu(25, 211, 150, 8), SS_TYPEMASK, SS_CENTER},
    });
}

}  // namespace
}  // namespace gkr
