#include "overlays/overlay_thread_win.h"

#include <memory>

#include "app/framework/module_win.h"
#include "app/framework/scoped_win.h"
#include "app/framework/seams.h"
#include "app/framework/thread_wait_win.h"

namespace gkr {

namespace {

// Posted to the host window: lParam owns a std::function<void()>.
constexpr UINT kRunJob = WM_APP + 1;
// Posted after the last job: the thread leaves its message loop.
constexpr UINT kEndThread = WM_APP + 2;

const wchar_t kHostClass[] = L"GKROverlayThreadHost";

}  // namespace

LRESULT CALLBACK OverlayThread::HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunJob) {
        std::unique_ptr<std::function<void()>> job(reinterpret_cast<std::function<void()>*>(lParam));
        if (job && *job) (*job)();
        return 0;
    }
    if (message == kEndThread) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI OverlayThread::ThreadProc(LPVOID ready) {
    OverlayThread& self = Instance();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = HostProc;
    wc.hInstance = ModuleInstance();
    wc.lpszClassName = kHostClass;
    RegisterClassExW(&wc);  // a second registration fails harmlessly
    HWND host = CreateWindowExW(0, kHostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(), nullptr);
    self.threadId_ = GetCurrentThreadId();
    self.host_ = host;
    SetEvent(static_cast<HANDLE>(ready));
    if (!host) return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    self.host_ = nullptr;
    DestroyWindow(host);
    return 0;
}

bool OverlayThread::Start() {
    if (Running()) return true;
    ScopedHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!ready.Valid()) return false;
    thread_ = CreateThread(nullptr, 0, ThreadProc, ready.Get(), 0, nullptr);
    if (!thread_) return false;
    // The thread only registers a class and makes one window before it is ready.
    HANDLE both[] = {ready.Get(), thread_};
    WaitForMultipleObjects(2, both, FALSE, 5000);
    return Running();
}

bool OverlayThread::Post(std::function<void()> job) {
    if (const Seams::OverlayJobRunner run = Seams::Instance().runOverlayJob.load()) {
        run(job);
        return true;
    }
    HWND host = host_;
    auto owned = std::make_unique<std::function<void()>>(std::move(job));
    if (host && PostMessageW(host, kRunJob, 0, reinterpret_cast<LPARAM>(owned.get()))) {
        owned.release();  // the host deletes it after running it
        return true;
    }
    // Never run on this thread instead: that is what the overlay thread is for.
    wchar_t text[96];
    wsprintfW(text, L"GKRTimer: an overlay job could not be posted (error %lu); dropped\n", GetLastError());
    OutputDebugStringW(text);
    return false;
}

bool OverlayThread::Stop(DWORD boundMs) {
    HWND host = host_;
    if (!thread_) return true;
    // The host may refuse the message (gone, or its queue full): a quit
    // posted to the thread itself ends its loop all the same.
    if (!host || !PostMessageW(host, kEndThread, 0, 0)) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (!WaitForThreadAnsweringSends(thread_, boundMs)) return false;
    CloseHandle(thread_);
    thread_ = nullptr;
    return true;
}

}  // namespace gkr
