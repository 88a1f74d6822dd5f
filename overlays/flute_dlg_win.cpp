#include "overlays/flute_dlg_win.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/screen/note_colors.h"
#include "overlays/overlay_procedure_win.h"
#include "overlays/overlay_win.h"
#include "app/framework/page_controls_win.h"
#include "overlays/overlay_messages.h"
#include "overlays/sheet_rows.h"
#include "resources/page_ids.h"
#include "settings/settings.h"
#include "settings/song_sheets.h"
#include "settings/text_convert.h"

namespace gkr {

namespace {

constexpr int32_t kFirstUpDownNote = 1, kLastUpDownNote = 5;
constexpr int32_t kFirstSideNote = 6, kLastSideNote = 7;
constexpr int kNoteColumns = 4;

int Selection(HWND page, int id) { return static_cast<int>(SendDlgItemMessageW(page, id, CB_GETCURSEL, 0, 0)); }

// An index out of range leaves the combo box without a selection.
void Select(HWND page, int id, int index) {
    if (Selection(page, id) != index) SendDlgItemMessageW(page, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FillNoteNames(HWND page, int id, int32_t first, int32_t last) {
    for (int32_t code = first; code <= last; ++code)
        SendDlgItemMessageW(page, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FindNoteColor(code)->name));
}

void SetCell(HWND list, int row, int column, const std::wstring& text) {
    std::wstring shown = CutText(text, kMaxCellText);
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = &shown[0];
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void AddColumns(HWND list) {
    const struct {
        const wchar_t* title;
        int width;
    } columns[] = {{L"1", 20}, {L"2", 20}, {L"3", 20}, {L"4", 20}, {L"효과1", 130}, {L"효과2", 130}};
    for (int i = 0; i < 6; ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(columns[i].title);  // read only by LVM_INSERTCOLUMNW
        column.cx = columns[i].width;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

}  // namespace

FluteDlg::FluteDlg() : Dialog(IDD_FLUTE_PAGE), fluteWnd(&FluteWnd::Instance()) {}

Procedure FluteDlg::DialogProc() { return &StaticProcedure<FluteDlg>; }

INT_PTR FluteDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_FLUTE_USE:
        case IDC_FLUTE_SKILL:  // a click on the skill counts at once
        case IDC_FLUTE_UPNOTE:
        case IDC_FLUTE_SIDENOTE:
        case IDC_FLUTE_DOWNNOTE:
            Sync(true);
            break;
        default:
            break;
        }
        return 0;
    default:
        break;
    }
    OverlayPageMessage(*fluteWnd, message);
    return DefaultPageMessage(window, message);
}

void FluteDlg::OnInitDialog(HWND window) {
    handle = window;  // CreateDialogParamW has not returned it yet
    HWND list = GetDlgItem(window, IDC_FLUTE_SONGS);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddColumns(list);
    FillNoteNames(window, IDC_FLUTE_UPNOTE, kFirstUpDownNote, kLastUpDownNote);
    FillNoteNames(window, IDC_FLUTE_DOWNNOTE, kFirstUpDownNote, kLastUpDownNote);
    FillNoteNames(window, IDC_FLUTE_SIDENOTE, kFirstSideNote, kLastSideNote);
    Sync(false);
    Sync(true);
}

void FluteDlg::Sync(bool fromControls) {
    ShowPanelAlone();
    HWND page = Live();
    if (!page || !SyncControls(page, fromControls)) return;
    RebuildList(page);
    ShowPanel();
}

void FluteDlg::OnNotePanel(bool seen) {
    notePanelSeen_ = seen;
    Sync(false);
}

bool FluteDlg::PanelWanted() const {
    // Seen exactly while it is switched on and the game's note panel is seen:
    // a panel switched off (on the page, by a hotkey or its close box) stays hidden.
    return notePanelSeen_ && Settings::Instance().UseFlute.load() != 0;
}

void FluteDlg::ShowPanelAlone() { fluteWnd->Present(PanelWanted(), false); }

bool FluteDlg::SyncControls(HWND page, bool fromControls) {
    Settings& s = Settings::Instance();
    if (fromControls) {
        s.FluteSkill = IsChecked(page, IDC_FLUTE_SKILL) ? 1 : 0;
        const int32_t use = IsChecked(page, IDC_FLUTE_USE) ? 1 : 0;
        const int32_t up = Selection(page, IDC_FLUTE_UPNOTE) + kFirstUpDownNote;
        const int32_t side = Selection(page, IDC_FLUTE_SIDENOTE) + kFirstSideNote;
        const int32_t down = Selection(page, IDC_FLUTE_DOWNNOTE) + kFirstUpDownNote;
        if (use == s.UseFlute.load() && up == s.UpNote.load() && side == s.SideNote.load() &&
            down == s.DownNote.load())
            return false;
        s.UseFlute = use;
        s.UpNote = up_ = up;
        s.SideNote = side_ = side;
        s.DownNote = down_ = down;
        return true;
    }
    SetChecked(page, IDC_FLUTE_SKILL, s.FluteSkill.load() != 0);
    const bool use = s.UseFlute.load() != 0;
    if (IsChecked(page, IDC_FLUTE_USE) == use && up_ == s.UpNote.load() && down_ == s.DownNote.load() &&
        side_ == s.SideNote.load())
        return false;
    up_ = s.UpNote.load();
    side_ = s.SideNote.load();
    down_ = s.DownNote.load();
    SetChecked(page, IDC_FLUTE_USE, use);
    // 64 bits: a stored value may be anything; out of range means no selection.
    const auto index = [](int32_t value, int32_t first) { return static_cast<int>(int64_t{value} - first); };
    Select(page, IDC_FLUTE_UPNOTE, index(up_, kFirstUpDownNote));
    Select(page, IDC_FLUTE_SIDENOTE, index(side_, kFirstSideNote));
    Select(page, IDC_FLUTE_DOWNNOTE, index(down_, kFirstUpDownNote));
    return true;
}

void FluteDlg::RebuildList(HWND page) {
    HWND list = GetDlgItem(page, IDC_FLUTE_SONGS);
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    std::vector<const Sheet*> songs = PlayableSongs(*SongSheets::Instance().Snapshot(), up_, side_, down_);
    for (const Sheet* song : songs) {
        LVITEMW item = {};
        item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0) continue;
        for (int i = 0; i < kNoteColumns && i < static_cast<int>(song->notes.size()); ++i)
            if (const NoteColor* color = FindNoteColor(song->notes[size_t(i)])) SetCell(list, row, i, color->shortName);
        SetCell(list, row, kNoteColumns, DisplayText(song->Effect1));
        SetCell(list, row, kNoteColumns + 1, DisplayText(song->Effect2));
    }
    // The list keeps the effect timers of the songs that stay on it.
    fluteWnd->SetSongs(std::move(songs));
}

void FluteDlg::ShowPanel() { fluteWnd->Present(PanelWanted(), true); }

}  // namespace gkr
