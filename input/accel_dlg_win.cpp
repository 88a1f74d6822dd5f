#include "input/accel_dlg_win.h"

#include <commctrl.h>

#include <array>
#include <string>
#include <utility>

#include "app/framework/page_controls_win.h"
#include "app/framework/worker_wake_win.h"
#include "input/hotkey_text.h"
#include "resources/page_ids.h"
#include "settings/settings.h"
#include "settings/text_convert.h"

namespace gkr {

namespace {

constexpr int kListColumnWidth = 130;

// Each check box with the option it switches.
const std::array<std::pair<int, Option Settings::*>, 8> kSwitches = {{
    {IDC_ACCEL_USEKEY, &Settings::UseKey},
    {IDC_ACCEL_USEPAD, &Settings::UsePad},
    {IDC_ACCEL_USEX, &Settings::UseX},
    {IDC_ACCEL_USEY, &Settings::UseY},
    {IDC_ACCEL_USEZ, &Settings::UseZ},
    {IDC_ACCEL_USER, &Settings::UseR},
    {IDC_ACCEL_USEU, &Settings::UseU},
    {IDC_ACCEL_USEV, &Settings::UseV},
}};

bool IsSwitch(WORD id) {
    for (const auto& s : kSwitches)
        if (s.first == id) return true;
    return false;
}

}  // namespace

AccelDlg::AccelDlg() : Dialog(IDD_ACCEL_PAGE) {}

Procedure AccelDlg::DialogProc() { return &StaticProcedure<AccelDlg>; }

INT_PTR AccelDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return TRUE;
    case WM_COMMAND: {
        const WORD id = LOWORD(wParam);
        // A click on any box stores all eight; the worker's hotkey poll
        // may start or stop with them.
        if (IsSwitch(id)) {
            Sync(true);
            WakeWorker();
        }
        if (id == IDC_ACCEL_SETKEYS) EditSelected(window, CaptureMode::Keys);
        if (id == IDC_ACCEL_SETPAD) EditSelected(window, CaptureMode::Pad);
        return 0;
    }
    default:
        return DefaultPageMessage(window, message);
    }
}

void AccelDlg::OnInitDialog(HWND window) {
    handle = window;  // CreateDialogParamW has not returned it yet
    HWND list = GetDlgItem(window, IDC_ACCEL_LIST);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = kListColumnWidth;
    column.pszText = const_cast<wchar_t*>(L"기능");  // read only by LVM_INSERTCOLUMNW
    SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    FillList(list);
    Sync(false);
}

void AccelDlg::FillList(HWND list) {
    const auto hotkeys = Settings::Instance().accels.Snapshot();
    // The list shows the records last first: appended in that order, with
    // drawing held, so a long hand-edited list fills in linear time.
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LVM_SETITEMCOUNT, hotkeys->size(), 0);
    for (size_t position = hotkeys->size(); position-- > 0;) {
        std::wstring name = ShownText(DisplayText((*hotkeys)[position].name));
        LVITEMW item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(hotkeys->size() - 1 - position);
        item.pszText = name.data();
        // The row names its record by position, the action it runs; Num is
        // only carried along (a hand-edited file may repeat or skip numbers).
        item.lParam = static_cast<LPARAM>(position);
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

void AccelDlg::Sync(bool fromControls) {
    HWND page = Live();
    if (!page) return;
    Settings& s = Settings::Instance();
    for (const auto& [id, option] : kSwitches) {
        if (fromControls)
            (s.*option) = IsChecked(page, id) ? 1 : 0;
        else
            SetChecked(page, id, (s.*option).load() != 0);
    }
}

void AccelDlg::EditSelected(HWND window, CaptureMode mode) {
    HWND list = GetDlgItem(window, IDC_ACCEL_LIST);
    const auto hotkeys = Settings::Instance().accels.Snapshot();
    const LRESULT mark = SendMessageW(list, LVM_GETSELECTIONMARK, 0, 0);
    if (mark < 0 || static_cast<size_t>(mark) >= hotkeys->size()) return;
    LVITEMW item = {};
    item.mask = LVIF_PARAM;
    item.iItem = static_cast<int>(mark);
    if (!SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return;
    if (item.lParam < 0 || static_cast<size_t>(item.lParam) >= hotkeys->size()) return;
    const size_t position = static_cast<size_t>(item.lParam);
    SelectDlg* select = &SelectDlg::Instance();
    select->Prepare(mode, position, (*hotkeys)[position]);
    select->ShowModal(window);
}

}  // namespace gkr
