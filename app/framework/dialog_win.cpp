#include "app/framework/dialog_win.h"

#include "app/framework/module_win.h"

namespace gkr {

HWND Dialog::Create(HWND parent) {
    if (handle) Close();
    handle = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId_), parent,
                                AsDialogProcedure(DialogProc()), 0);
    return handle;
}

INT_PTR Dialog::RunModal(HWND parent) {
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(templateId_), parent,
                           AsDialogProcedure(DialogProc()), 0);
}

INT_PTR Dialog::DefaultPageMessage(HWND window, UINT message) {
    if (message == WM_NCDESTROY && handle == window) handle = nullptr;
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace gkr
