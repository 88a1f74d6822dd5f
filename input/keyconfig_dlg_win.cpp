#include "input/keyconfig_dlg_win.h"

#include <vector>

#include "app/framework/page_controls_win.h"
#include "app/framework/player_message_win.h"
#include "input/key_files_win.h"
#include "input/key_messages.h"
#include "input/key_paths.h"
#include "resources/page_ids.h"
#include "settings/settings.h"
#include "settings/text_convert.h"

namespace gkr {

namespace {

std::wstring TextOf(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    return text.data();
}

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A click that could not do what it says is told, once, with its reason.
void TellIfFailed(KeyOperation operation, KeyResult result) {
    const std::wstring text = KeyFailureText(operation, result);
    if (!text.empty()) TellPlayer(text.c_str());
}

}  // namespace

KeyconfigDlg::KeyconfigDlg() : Dialog(IDD_KEYCONFIG_PAGE) {}

Procedure KeyconfigDlg::DialogProc() { return &StaticProcedure<KeyconfigDlg>; }

INT_PTR KeyconfigDlg::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return TRUE;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
    case WM_DESTROY:
        // The page goes with the manager at the program's end: the player's
        // own file comes back (once, whichever way out gets here first).
        EndKeySession();
        return DefaultPageMessage(window, message);
    default:
        return DefaultPageMessage(window, message);
    }
}

void KeyconfigDlg::OnInitDialog(HWND window) {
    handle = window;  // CreateDialogParamW has not returned it yet
    list_ = GetDlgItem(window, IDC_KEYCONFIG_LIST);
    nameBox_ = GetDlgItem(window, IDC_KEYCONFIG_NAME);
    defaultBox_ = GetDlgItem(window, IDC_KEYCONFIG_DEFAULTNAME);
    useDefaultBox_ = GetDlgItem(window, IDC_KEYCONFIG_USEDEFAULT);
    useBackupBox_ = GetDlgItem(window, IDC_KEYCONFIG_USEBACKUP);
    // What killed copies of earlier runs left goes before this run copies anything.
    RemoveStaleKeyFiles();
    // Before the controls are filled: making the copy folder clears the default.
    AppKeyBackups::Instance().StartUp();
    Sync(false);
}

void KeyconfigDlg::OnCommand(WORD id) {
    switch (id) {
    case IDC_KEYCONFIG_BACKUP:
        TellIfFailed(KeyOperation::BackUp, BackUp(TextOf(nameBox_)));
        break;
    case IDC_KEYCONFIG_RESTORE:
        TellIfFailed(KeyOperation::Restore, RestoreSelected());
        break;
    case IDC_KEYCONFIG_DELETE:
        TellIfFailed(KeyOperation::Delete, DeleteSelected());
        break;
    case IDC_KEYCONFIG_SETDEFAULT:
        TellIfFailed(KeyOperation::SetDefault, SetSelectedAsDefault());
        break;
    case IDC_KEYCONFIG_CLEARDEFAULT:
        ClearDefault();
        break;
    case IDC_KEYCONFIG_USEDEFAULT:
    case IDC_KEYCONFIG_USEBACKUP:
        Sync(true);
        break;
    default:
        break;
    }
}

void KeyconfigDlg::Sync(bool fromControls) {
    Settings& s = Settings::Instance();
    if (fromControls) {
        s.UseKeyDefault = Checked(useDefaultBox_) ? 1 : 0;
        s.UseKeyBackup = Checked(useBackupBox_) ? 1 : 0;
        return;
    }
    HWND page = Live();
    if (!page) return;
    SetChecked(page, IDC_KEYCONFIG_USEDEFAULT, s.UseKeyDefault.load() != 0);
    SetChecked(page, IDC_KEYCONFIG_USEBACKUP, s.UseKeyBackup.load() != 0);
    const int32_t defaultKey = s.DefaultKey.load();
    if (defaultKey == kStartupCopy) {
        SetText(page, IDC_KEYCONFIG_DEFAULTNAME, L"");
    } else {
        // The last record of that number names it; with none the box keeps its text.
        for (auto k = s.keyConfigs.rbegin(); k != s.keyConfigs.rend(); ++k) {
            if (k->index == defaultKey) {
                SetText(page, IDC_KEYCONFIG_DEFAULTNAME, DisplayText(k->name));
                break;
            }
        }
    }
    FillList();
}

void KeyconfigDlg::FillList() {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    const std::vector<KeyConfig>& records = Settings::Instance().keyConfigs;
    for (size_t i = 0; i < records.size(); ++i) {
        const std::wstring name = DisplayText(records[i].name);
        SendMessageW(list_, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(list_, LB_SETITEMDATA, i, static_cast<LPARAM>(records[i].index));
    }
}

bool KeyconfigDlg::Selected(int* item, int32_t* number) const {
    const LRESULT selected = SendMessageW(list_, LB_GETCURSEL, 0, 0);
    if (selected < 0) return false;
    *item = static_cast<int>(selected);
    *number = static_cast<int32_t>(SendMessageW(list_, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0));
    return true;
}

KeyResult KeyconfigDlg::BackUp(const std::wstring& typedName) {
    std::string name;
    try {
        name = ToNarrow(typedName);
    } catch (const std::runtime_error&) {
        // A character code page 949 lacks could not be stored in conf.xml:
        // no copy is made for a name that would not survive.
        return KeyResult::BadName;
    }
    int32_t number = 0;
    const KeyResult r = AppKeyBackups::Instance().AddKeyConfigBackup(name, &number);
    if (r == KeyResult::Done) FillList();
    return r;
}

KeyResult KeyconfigDlg::RestoreSelected() {
    int item = 0;
    int32_t number = 0;
    if (!Selected(&item, &number)) return KeyResult::NothingSelected;
    return AppKeyBackups::Instance().RestoreKeyConfig(number);
}

KeyResult KeyconfigDlg::DeleteSelected() {
    int item = 0;
    int32_t number = 0;
    if (!Selected(&item, &number)) return KeyResult::NothingSelected;
    const KeyResult r = AppKeyBackups::Instance().DeleteKeyConfigBackup(number);
    // The list follows the records: an item goes only with its record.
    if (r == KeyResult::Done) FillList();
    return r;
}

KeyResult KeyconfigDlg::SetSelectedAsDefault() {
    int item = 0;
    int32_t number = 0;
    if (!Selected(&item, &number)) return KeyResult::NothingSelected;
    Settings& s = Settings::Instance();
    s.DefaultKey = number;
    if (HWND page = Live(); page && static_cast<size_t>(item) < s.keyConfigs.size())
        SetText(page, IDC_KEYCONFIG_DEFAULTNAME, DisplayText(s.keyConfigs[static_cast<size_t>(item)].name));
    return KeyResult::Done;
}

void KeyconfigDlg::ClearDefault() {
    Settings::Instance().DefaultKey = kStartupCopy;
    if (HWND page = Live()) SetText(page, IDC_KEYCONFIG_DEFAULTNAME, L"");
}

}  // namespace gkr
