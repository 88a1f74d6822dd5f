#include "app/framework/contract.h"

namespace gkr {

const wchar_t kGameWindowClass[] = L" G K R ";

const char kSettingsFile[] = "conf.xml";
const char kSongFile[] = "SData.xml";

const wchar_t kTimerWndClass[] = L"GKRTimerWnd";
const wchar_t kEnergyWndClass[] = L"GKREnergyWnd";
const wchar_t kFluteWndClass[] = L"GKRFluteWnd";

const wchar_t kManagerTitle[] = L"GKR Utility Manager";

const wchar_t kGameImageName[] = L"gkr.exe";

const wchar_t kGameRegistryKey[] = L"SOFTWARE\\Drakmoor\\Gravik Keep Raiders Online";
const wchar_t kGameInstallValue[] = L"InstDir";
const wchar_t kGameKeyFile[] = L"keyconfig.cfg";
const wchar_t kKeyCopyFolder[] = L"key";
const wchar_t kKeyCopyPrefix[] = L"keyconfig-";
const wchar_t kKeyCopySuffix[] = L".cfg";
const wchar_t kStartupCopyMarker[] = L"keyconfig--1.pending";

// The portal's and the author's real addresses are not known to us yet; these
// placeholders keep the shape the buttons rely on.
const char kPortalLoginAddress[] = "https://login.drakmoor.example/login";
const char kGameStartAddress[] = "https://gkr.drakmoor.example/start?game=gkr&mode=web";
const char kHomePageAddress[] = "https://gkrutility.example/";

}  // namespace gkr
