// Floor program of the CPU benchmark: the least a dialog program does, a
// modeless dialog with the common controls and a one-second timer, as
// GKRTimer's manager dialog has.
#include <windows.h>
#include <commctrl.h>

namespace {

INT_PTR CALLBACK FloorProc(HWND window, UINT message, WPARAM, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetTimer(window, 1, 1000, nullptr);
        return TRUE;
    case WM_TIMER:
        return TRUE;
    case WM_CLOSE:
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(1), nullptr, FloorProc, 0);
    ShowWindow(dialog, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
