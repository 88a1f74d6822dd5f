#include "app/framework/mailbox_win.h"

#include <atomic>

#include "app/framework/singleton.h"

namespace gkr {

namespace {

class Mailbox : public Singleton<Mailbox> {
public:
    // Written by the user-interface thread; read by every thread that posts.
    std::atomic<HWND> window{nullptr};

private:
    friend class Singleton<Mailbox>;
    Mailbox() = default;
};

}  // namespace

void OpenMailbox(HWND window) { Mailbox::Instance().window = window; }

void CloseMailbox(HWND window) {
    HWND open = window;
    Mailbox::Instance().window.compare_exchange_strong(open, nullptr);
}

bool PostMail(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = Mailbox::Instance().window.load();
    return window && PostMessageW(window, message, wParam, lParam);
}

}  // namespace gkr
