#include "input/select_dlg_win.h"

#include <array>
#include <string>
#include <vector>

#include "app/framework/dialog_place_win.h"
#include "app/framework/page_controls_win.h"
#include "app/framework/worker_wake_win.h"
#include "input/hotkey_poll.h"
#include "input/hotkey_text.h"
#include "input/input_devices_win.h"
#include "input/pad_caps_win.h"
#include "input/key_capture.h"
#include "resources/page_ids.h"

namespace gkr {

namespace {

constexpr UINT_PTR kCaptureTimerId = 1;
constexpr UINT kCaptureEveryMs = 10;

std::wstring KeyName(uint32_t code) {
    const UINT scan = MapVirtualKeyExW(code, MAPVK_VK_TO_VSC, GetKeyboardLayout(0));
    std::array<wchar_t, 256> name{};
    const int length = GetKeyNameTextW(static_cast<LONG>(KeyNameScanCode(code, scan) << 16), name.data(), 255);
    return std::wstring(name.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

PadContext CurrentPadContext() {
    const PadState pad = CurrentPadState();
    return PadContext{pad.caps, pad.thresholds, AxesInUse(Settings::Instance())};
}

}  // namespace

SelectDlg::SelectDlg() : Dialog(IDD_SELECT) {}

Procedure SelectDlg::DialogProc() { return &StaticProcedure<SelectDlg>; }

void SelectDlg::Prepare(CaptureMode mode, size_t position, const Accel& record) {
    mode_ = mode;
    target_ = position;
    working_ = record;
}

INT_PTR SelectDlg::ShowModal(HWND parent) { return RunModal(parent); }

INT_PTR SelectDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return TRUE;
    case WM_TIMER:
        if (wParam != kCaptureTimerId) return FALSE;
        if (mode_ == CaptureMode::Keys) CaptureKeys();
        if (mode_ == CaptureMode::Pad) CapturePad();
        Render();
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            Confirm(window);
            return TRUE;
        case IDCANCEL:
            EndDialog(window, IDCANCEL);
            return TRUE;
        case IDC_SELECT_CLEAR:
            Clear();
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return DefaultPageMessage(window, message);
    }
}

void SelectDlg::OnInitDialog(HWND window) {
    handle = window;
    KeepDialogInSight(window);
    // Keys pressed before the dialog opened (the click's own Enter, a key
    // typed long ago) are no part of what the user is about to press.
    (void)QueryAllKeys();
    // The pad's ranges as they are now: read here the first time the pad is used.
    if (mode_ == CaptureMode::Pad) RefreshPadCaps();
    SetTimer(window, kCaptureTimerId, kCaptureEveryMs, nullptr);
    Render();
}

void SelectDlg::CaptureKeys() { working_.keys = AddPressedKeys(working_.keys, QueryAllKeys()); }

void SelectDlg::CapturePad() {
    PadPosition position;
    // No pad answered: nothing was pressed.
    if (!ReadFirstPad(position)) return;
    working_.pads = AddPadConditions(working_.pads, position, CurrentPadContext());
}

void SelectDlg::Render() {
    std::vector<std::wstring> items;
    if (mode_ == CaptureMode::Keys)
        for (uint32_t code : working_.keys) items.push_back(KeyItemText(KeyName(code), code));
    if (mode_ == CaptureMode::Pad)
        for (int32_t code : working_.pads) items.push_back(PadCodeText(code));
    // Rewritten only when it changes: every 10 ms would reset the box's scrolling.
    if (HWND window = handle) SetText(window, IDC_SELECT_TEXT, ShownText(JoinItems(items)));
}

void SelectDlg::Confirm(HWND window) {
    Settings& settings = Settings::Instance();
    // A new list, published whole: the worker's poll sees the old record or
    // the new one, never one being rewritten.
    AccelList hotkeys = settings.accels.Copy();
    if (target_ < hotkeys.size()) {
        hotkeys[target_] = working_;
        settings.accels.Publish(std::move(hotkeys));
        WakeWorker();  // a first binding starts the worker's hotkey poll
    }
    EndDialog(window, IDOK);
}

void SelectDlg::Clear() {
    if (mode_ == CaptureMode::Keys) working_.keys.clear();
    if (mode_ == CaptureMode::Pad) working_.pads.clear();
    Render();
}

}  // namespace gkr
