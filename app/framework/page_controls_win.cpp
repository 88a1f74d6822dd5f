#include "app/framework/page_controls_win.h"

#include <commctrl.h>

#include <vector>

namespace gkr {

bool IsChecked(HWND page, int id) { return SendDlgItemMessageW(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND page, int id, bool checked) {
    if (IsChecked(page, id) != checked)
        SendDlgItemMessageW(page, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int TrackbarPosition(HWND page, int id) {
    return static_cast<int>(SendDlgItemMessageW(page, id, TBM_GETPOS, 0, 0));
}

void SetTrackbarPosition(HWND page, int id, int position) {
    if (TrackbarPosition(page, id) != position) SendDlgItemMessageW(page, id, TBM_SETPOS, TRUE, position);
}

void SetTrackbarRange(HWND page, int id, int minimum, int maximum) {
    // Two messages: TBM_SETRANGE packs the ends into 16-bit halves.
    SendDlgItemMessageW(page, id, TBM_SETRANGEMIN, FALSE, minimum);
    SendDlgItemMessageW(page, id, TBM_SETRANGEMAX, TRUE, maximum);
}

void SetText(HWND page, int id, const std::wstring& text) {
    HWND control = GetDlgItem(page, id);
    if (!control) return;
    const int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> shown(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, shown.data(), length + 1);
    if (text != shown.data()) SetWindowTextW(control, text.c_str());
}

}  // namespace gkr
