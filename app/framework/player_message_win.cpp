#include "app/framework/player_message_win.h"

#include <windows.h>

#include <atomic>

#include "app/framework/contract.h"

namespace gkr {

namespace {

void SystemMessageBox(const wchar_t* text) {
    MessageBoxW(nullptr, text, kManagerTitle, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND | MB_TOPMOST);
}

std::atomic<PlayerMessageBox> g_playerMessageBox{&SystemMessageBox};

}  // namespace

void TellPlayer(const wchar_t* text) { g_playerMessageBox.load()(text); }

void SetPlayerMessageBox(PlayerMessageBox box) { g_playerMessageBox = box ? box : &SystemMessageBox; }

}  // namespace gkr
