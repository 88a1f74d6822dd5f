#include "app/contract.h"

namespace gkr {

const wchar_t kGameWindowClass[] = L" G K R ";

const char kSettingsFile[] = "conf.xml";
const char kSongFile[] = "SData.xml";

const wchar_t kTimerWndClass[] = L"GKRTimerWnd";
const wchar_t kEnergyWndClass[] = L"GKREnergyWnd";
const wchar_t kFluteWndClass[] = L"GKRFluteWnd";

const wchar_t kManagerTitle[] = L"GKR Utility Manager";

const wchar_t kGameImageName[] = L"gkr.exe";

// The portal's and the author's real addresses are not known to us yet; these
// placeholders keep the shape the buttons rely on.
const char kPortalLoginAddress[] = "https://login.drakmoor.example/login";
const char kGameStartAddress[] = "https://gkr.drakmoor.example/start?game=gkr&mode=web";
const char kHomePageAddress[] = "https://gkrutility.example/";

}  // namespace gkr
