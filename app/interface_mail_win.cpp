#include "app/interface_mail_win.h"

#include "app/app_core_win.h"
#include "app/dispatch_codes.h"
#include "app/framework/clock_win.h"
#include "app/framework/mail_messages.h"
#include "app/framework/player_message_win.h"
#include "app/screen/auto_timer.h"
#include "app/screen/note_tracker.h"
#include "overlays/energy_dlg_win.h"
#include "overlays/flute_dlg_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_dlg_win.h"
#include "overlays/timer_wnd_win.h"
#include "settings/settings.h"

namespace gkr {

namespace {

constexpr wchar_t kGameNotEndedText[] =
    L"게임을 강제 종료하지 못했습니다.\n게임 프로세스를 열거나 끝낼 권한이 없거나, 게임 창이 닫히지 않았습니다.";

int32_t SignedWord(WPARAM word) { return static_cast<int32_t>(static_cast<INT_PTR>(word)); }

void OnQuest(AutoTimerAction timer, bool hideAndResetSheet) {
    if (timer == AutoTimerAction::Start) AppCore::Instance().RunAction(dispatch::ActionTimerStart);
    if (timer == AutoTimerAction::Stop) AppCore::Instance().RunAction(dispatch::ActionTimerStop);
    if (!hideAndResetSheet) return;
    // The quest ended: the song effects of that quest no longer count.
    FluteWnd& sheet = FluteWnd::Instance();
    sheet.Present(false, false);
    sheet.Reset();
}

void OnOverlaysMade(WPARAM made) {
    // A new sheet starts with idle effects; each new overlay is then shown,
    // placed or hidden as its page says.
    if (made & kMadeSheet) {
        FluteWnd::Instance().Reset();
        FluteDlg::Instance().Sync(false);
    }
    if (made & kMadeEnergy) EnergyDlg::Instance().Sync(false);
    if (made & kMadeTimer) TimerDlg::Instance().Sync(false);
}

}  // namespace

bool ReceiveMail(UINT message, WPARAM wParam, LPARAM lParam) {
    Settings& settings = Settings::Instance();
    switch (message) {
    case kMailMaxHealth:
        settings.MaxHealth = SignedWord(wParam);
        EnergyDlg::Instance().Sync(false);
        return true;
    case kMailNotePanel:
        FluteDlg::Instance().OnNotePanel(wParam != 0);
        return true;
    case kMailInstrument: {
        const InstrumentNotes notes = UnpackInstrument(static_cast<uint32_t>(wParam));
        settings.UpNote = notes.up;
        settings.DownNote = notes.down;
        settings.SideNote = notes.side;
        FluteDlg::Instance().Sync(false);
        return true;
    }
    case kMailNotesPlayed:
        FluteWnd::Instance().OnNotes(UnpackNotes(static_cast<uint32_t>(wParam)).data());
        return true;
    case kMailQuest:
        OnQuest(static_cast<AutoTimerAction>(wParam), lParam != 0);
        return true;
    case kMailAction:
        AppCore::Instance().RunAction(SignedWord(wParam));
        return true;
    case kMailPanelClosed:
        // The caption's close box switches the panel off for good.
        settings.UseFlute = 0;
        FluteDlg::Instance().Sync(false);
        return true;
    case kMailPanelMoved:
        // Only the player's moves of the panel shown with the game's note panel are kept.
        if (FluteDlg::Instance().NotePanelSeen()) {
            settings.FluteWndX = SignedWord(wParam);
            settings.FluteWndY = SignedWord(static_cast<WPARAM>(lParam));
        }
        return true;
    case kMailTimerClicked:
        // Anywhere but the indicator: a left click starts the clock from zero, a right one stops it.
        if (wParam) TimerWnd::Instance().Restart(PerformanceCount());
        else TimerWnd::Instance().StopClock();
        return true;
    case kMailOverlaysMade:
        OnOverlaysMade(wParam);
        return true;
    case kMailGameNotEnded:
        TellPlayer(kGameNotEndedText);
        return true;
    default:
        return message >= kFirstMail && message <= kLastMail;
    }
}

}  // namespace gkr
