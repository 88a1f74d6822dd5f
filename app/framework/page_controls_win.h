// Reading and setting a settings page's controls. The setters touch a control
// only when what it shows changes: the worker synchronises pages once a
// second, and an unchanged control then costs neither a repaint nor a
// notification.
#pragma once

#include <windows.h>

#include <string>

namespace gkr {

// To a settings page, sent with a bound or posted: run Sync from the
// settings (wParam 0) or from the controls (wParam 1) on the page's thread.
constexpr UINT kPageSyncMessage = WM_APP + 0x22;

bool IsChecked(HWND page, int id);
void SetChecked(HWND page, int id, bool checked);

int TrackbarPosition(HWND page, int id);
void SetTrackbarPosition(HWND page, int id, int position);
void SetTrackbarRange(HWND page, int id, int minimum, int maximum);

void SetText(HWND page, int id, const std::wstring& text);

// True when the calling thread is the one that owns `window`.
bool OnWindowThread(HWND window);

// Runs the page's Sync on the page's own thread: sent, but never waiting
// longer than a second, so a busy user-interface thread cannot hold the
// worker's pass. A send that times out is simply skipped; the next pass
// synchronises again. Carries only the direction, no pointer. True when the
// page answered in time.
bool SyncOnPageThread(HWND page, bool fromControls);

}  // namespace gkr
