// The user-interface thread's mailbox: one window of that thread takes what
// the other threads hand it (mail_messages.h). They post and never wait, so
// a busy interface holds no other thread.
#pragma once

#include <windows.h>

namespace gkr {

// The user-interface thread: `window` takes the mail from now on.
void OpenMailbox(HWND window);
// The user-interface thread, as `window` goes: mail to it is refused from now on.
void CloseMailbox(HWND window);

// Any thread: posts the mail and returns at once. False when no mailbox is
// open or the post was refused; the mail is then lost.
bool PostMail(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

}  // namespace gkr
