#include "app/manage_dlg_win.h"

#include <commctrl.h>

#include <iterator>

#include "app/framework/contract.h"
#include "app/framework/mail_messages.h"
#include "app/framework/mailbox_win.h"
#include "app/framework/page_controls_win.h"
#include "app/framework/player_message_win.h"
#include "app/defaults.h"
#include "app/game/game_control_win.h"
#include "app/game/game_window_win.h"
#include "app/interface_mail_win.h"
#include "overlays/overlay_thread_win.h"
#include "overlays/overlay_win.h"
#include "input/accel_dlg_win.h"
#include "input/key_files_win.h"
#include "input/keyconfig_dlg_win.h"
#include "input/pad_caps_win.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/overlay_geometry.h"
#include "overlays/overlay_messages.h"
#include "overlays/timer_dlg_win.h"
#include "overlays/timer_wnd_win.h"
#include "resources/manager_ids.h"
#include "settings/data_files.h"
#include "settings/settings.h"
#include "settings/song_sheets.h"

namespace gkr {

namespace {

// The player's changes of this session are lost when conf.xml cannot be written.
constexpr wchar_t kSettingsNotSavedText[] =
    L"설정을 conf.xml 파일에 저장하지 못했습니다.\n"
    L"이번에 바꾼 설정은 저장되지 않았습니다. 폴더가 읽기 전용이거나 디스크가 가득 찼는지 확인해 주세요.";
constexpr wchar_t kBrowserNotStartedText[] = L"웹 브라우저를 실행하지 못했습니다.";

// Tab labels in tab order: hotkeys, energy bar, timer, song sheets, game keys.
const wchar_t* const kTabLabels[] = {L"단축키 설정", L"에너지바", L"타이머", L"피리악보", L"그라키 설정"};

constexpr DWORD kPageStyle = WS_CHILD | WS_VISIBLE;

}  // namespace

ManageDlg::ManageDlg()
    : Dialog(IDD_MANAGER),
      energyDlg(&EnergyDlg::Instance()),
      energyWnd(&EnergyWnd::Instance()),
      accelDlg(&AccelDlg::Instance()),
      timerDlg(&TimerDlg::Instance()),
      timerWnd(&TimerWnd::Instance()),
      fluteDlg(&FluteDlg::Instance()),
      fluteWnd(&FluteWnd::Instance()),
      keyconfigDlg(&KeyconfigDlg::Instance()) {}

Procedure ManageDlg::DialogProc() { return &StaticProcedure<ManageDlg>; }

INT_PTR ManageDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window);
    case WM_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->hwndFrom == tab && tab && header->code == static_cast<UINT>(TCN_SELCHANGE))
            OnTabChanged();
        return 0;
    }
    case WM_TIMER:
        if (wParam == kOverlayTimerId) CreateMissingOverlays();
        return 0;
    case WM_DEVICECHANGE:
        // A pad plugged in or out: its ranges decide the axis thresholds.
        RefreshPadCapsIfWanted();
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // The close box ends the program with the message loop; the dialog and
        // its pages stay until the process ends.
        SaveSettingsOnClose();
        PostQuitMessage(0);
        return TRUE;
    case WM_DESTROY:
        SaveSettingsOnClose();
        PostQuitMessage(0);
        return TRUE;
    case WM_ENDSESSION:
        // Logoff or shutdown: the process ends without another message, so
        // everything the ways out do happens here.
        if (wParam) {
            // No message box: the session ends whatever the player clicks.
            if (!SaveSettingsFile()) OutputDebugStringW(L"GKRTimer: conf.xml could not be written at the session's end\n");
            EndKeySession();
        }
        return 0;
    case WM_NCDESTROY:
        CloseMailbox(window);
        if (handle == window) handle = nullptr;
        return FALSE;
    default:
        return ReceiveMail(message, wParam, lParam);
    }
}

BOOL ManageDlg::OnInitDialog(HWND window) {
    handle = window;  // CreateDialogParamW has not returned it yet
    saveFailureTold_ = false;
    LoadDataFiles();
    RefreshPadCapsIfWanted();  // after the hotkeys: only they say whether the pad is used
    tab = GetDlgItem(window, IDC_MANAGER_TAB);
    CreatePages();
    AddTabItems();
    PlacePages();
    SendMessageW(tab, TCM_SETCURSEL, 0, 0);
    if (!pages.empty()) ShowWindow(pages[0], SW_SHOW);
    overlayTimerStarted_ = SetTimer(window, kOverlayTimerId, 1000, nullptr) != 0;
    OpenMailbox(window);  // the other threads' findings and the player's doings come here from now on
    return TRUE;
}

void ManageDlg::OnCommand(HWND window, WORD id) {
    switch (id) {
    case IDOK:
    case IDCANCEL:
    case IDC_MANAGER_EXIT:
        // Its WM_DESTROY saves and ends the message loop; each page closes its overlay as it goes.
        DestroyWindow(window);
        break;
    case IDC_MANAGER_GAME_KILL:
        StartForceQuit();  // on a thread of its own: it waits for the game's end
        break;
    case IDC_MANAGER_HOME_PAGE:
        if (!OpenHomePage()) TellPlayer(kBrowserNotStartedText);
        break;
    case IDC_MANAGER_GAME_TOPMOST:
        PlaceGameOnTop(true);
        break;
    case IDC_MANAGER_GAME_RELEASE:
        PlaceGameOnTop(false);
        break;
    case IDC_MANAGER_GAME_LAUNCH:
        if (!LaunchGame()) TellPlayer(kBrowserNotStartedText);
        break;
    default:
        break;
    }
}

void ManageDlg::OnTabChanged() {
    const LRESULT selected = SendMessageW(tab, TCM_GETCURSEL, 0, 0);
    if (selected >= 0 && static_cast<size_t>(selected) < pages.size())
        ShowWindow(pages[static_cast<size_t>(selected)], SW_SHOWNORMAL);
    for (size_t i = 0; i < pages.size(); ++i)
        if (static_cast<LRESULT>(i) != selected) ShowWindow(pages[i], SW_HIDE);
}

void ManageDlg::CreateMissingOverlays() {
    if (fluteWnd->Exists() && energyWnd->Exists() && timerWnd->Exists()) return;
    if (!OverlayGameWindow() || overlayJobsPosted_ != overlayJobsRun_.load()) return;
    ++overlayJobsPosted_;
    const bool posted = OverlayThread::Instance().Post([this] {
        overlayJobsRun_.fetch_add(1);
        CreateMissingOverlaysNow();
    });
    // A job that never runs must not block the next second's try.
    if (!posted) --overlayJobsPosted_;
}

void ManageDlg::CreateMissingOverlaysNow() {
    if (!OverlayGameWindow()) return;
    // The overlays go with the game window (its children die with it, its
    // top-level ones are closed when it goes); this brings them back within a
    // second of the game's next start, over the same window as the others.
    WPARAM made = 0;
    if (!fluteWnd->Exists() && fluteWnd->Create()) made |= kMadeSheet;
    if (!energyWnd->Exists() && energyWnd->Create()) made |= kMadeEnergy;
    if (!timerWnd->Exists() && timerWnd->Create()) made |= kMadeTimer;
    // Each new overlay is shown, placed or hidden as its page says, on the
    // thread that owns the pages and the settings.
    if (made) PostMail(kMailOverlaysMade, made);
}

void ManageDlg::LoadDataFiles() {
    Settings& settings = Settings::Instance();
    RemoveStaleSaveFiles(kSettingsFile);
    keepBeforeSave_ = KeepBeforeSave(LoadSettings(settings, kSettingsFile));
    // Both the load and the default list publish the hotkey list whole, so the
    // worker's poll never sees one half built.
    if (settings.accels.Size() == 0) BuildDefaultActionList(settings);
    SongSheets& sheets = SongSheets::Instance();
    // No message box for a data file: a developer or a player who asks finds
    // why no songs are listed in the debug output.
    if (const char* note = SongsLoadNote(LoadSongSheets(sheets, kSongFile))) OutputDebugStringA(note);
    sheets.ComputeKeys();
}

bool ManageDlg::SaveSettingsFile() {
    // A file that was there but not read whole, or read from UTF-8, is never replaced silently:
    // its bytes are kept beside it first, or it is not replaced at all.
    if (keepBeforeSave_) {
        if (!KeepUnreadFile(kSettingsFile)) return false;
        keepBeforeSave_ = false;
    }
    return SaveSettings(Settings::Instance(), kSettingsFile);
}

void ManageDlg::SaveSettingsOnClose() {
    if (SaveSettingsFile() || saveFailureTold_) return;
    // Once: the way out saves more than once ("종료" saves, then its WM_DESTROY).
    saveFailureTold_ = true;
    TellPlayer(kSettingsNotSavedText);
}

void ManageDlg::CreatePages() {
    pages.clear();
    pages.push_back(accelDlg->Create(tab));
    pages.push_back(energyDlg->Create(tab));
    pages.push_back(timerDlg->Create(tab));
    pages.push_back(fluteDlg->Create(tab));
    pages.push_back(keyconfigDlg->Create(tab));
}

void ManageDlg::AddTabItems() {
    for (int i = 0; i < static_cast<int>(std::size(kTabLabels)); ++i) {
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(kTabLabels[i]);  // read only by TCM_INSERTITEMW
        SendMessageW(tab, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void ManageDlg::PlacePages() {
    for (HWND page : pages) {
        RECT tabRect = {};
        GetWindowRect(tab, &tabRect);
        RECT area = tabRect;
        SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        SetWindowLongW(page, GWL_STYLE, static_cast<LONG>(kPageStyle));
        ShowWindow(page, SW_HIDE);
        // The display area in the tab control's own coordinates.
        MoveWindow(page, area.left - tabRect.left, area.top - tabRect.top, area.right - area.left,
                   area.bottom - area.top, TRUE);
    }
}

}  // namespace gkr
