// Reading and setting a settings page's controls. The setters touch a control
// only when what it shows changes: an unchanged control then costs neither a
// repaint nor a notification.
#pragma once

#include <windows.h>

#include <string>

namespace gkr {

bool IsChecked(HWND page, int id);
void SetChecked(HWND page, int id, bool checked);

int TrackbarPosition(HWND page, int id);
void SetTrackbarPosition(HWND page, int id, int position);
void SetTrackbarRange(HWND page, int id, int minimum, int maximum);

void SetText(HWND page, int id, const std::wstring& text);

}  // namespace gkr
