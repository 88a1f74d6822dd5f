// The game key-configuration page of the manager dialog: named backups of
// the game's key binding file, restoring one, deleting one, the default copy
// and the two boxes that apply it at start and put the player's file back at
// the end (input/key_backups.h).
#pragma once

#include <string>

#include "app/framework/dialog_win.h"
#include "app/framework/singleton.h"
#include "input/key_backups.h"

namespace gkr {

class KeyconfigDlg : public Dialog, public Singleton<KeyconfigDlg> {
public:
    Procedure DialogProc() override;
    INT_PTR OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // fromControls: the two boxes into UseKeyDefault and UseKeyBackup.
    // Otherwise the boxes, the default's name and the list from the settings;
    // item i of the list is record i, its item data the record's number.
    void Sync(bool fromControls);

    // The commands, by what they act on; each says what came of it.
    KeyResult BackUp(const std::wstring& typedName);  // "백업"
    KeyResult RestoreSelected();                      // "선택"
    KeyResult DeleteSelected();                       // "삭제"
    KeyResult SetSelectedAsDefault();                 // "기본"
    void ClearDefault();                              // "해제"

private:
    friend class Singleton<KeyconfigDlg>;
    KeyconfigDlg();

    void OnInitDialog(HWND window);
    void OnCommand(WORD id);
    void FillList();
    // The selected item and its number; false when nothing is selected.
    bool Selected(int* item, int32_t* number) const;

    HWND list_ = nullptr;
    HWND nameBox_ = nullptr;
    HWND defaultBox_ = nullptr;
    HWND useDefaultBox_ = nullptr;
    HWND useBackupBox_ = nullptr;
};

}  // namespace gkr
