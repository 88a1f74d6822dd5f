// The stand-in game window: class " G K R ", painting the game screen.
#pragma once

#include <windows.h>

#include "dummy/scene.h"

namespace dummy {

// The game's window class: a blank before and after each letter. The utility
// finds the game by exactly this name.
constexpr wchar_t kGameWindowClass[] = L" G K R ";

// The scene shown until a command changes it; set before the window exists.
void SetStartScene(const Scene& scene);

ATOM RegisterGameWindowClass(HINSTANCE instance, const wchar_t* className);

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dummy
