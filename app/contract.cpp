#include "app/contract.h"

namespace gkr {

const wchar_t kGameWindowClass[] = L" G K R ";

const char kSettingsFile[] = "conf.xml";
const char kSongFile[] = "SData.xml";

const wchar_t kTimerWndClass[] = L"GKRTimerWnd";
const wchar_t kEnergyWndClass[] = L"GKREnergyWnd";
const wchar_t kFluteWndClass[] = L"GKRFluteWnd";

const wchar_t kManagerTitle[] = L"GKR Utility Manager";

}  // namespace gkr
