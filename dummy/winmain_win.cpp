// DummyGKR: a window of the game's class showing a still game screen, so the
// companion utility can be run without the game. Start-up options and scene
// commands are listed in scene_commands.h.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "dummy/game_window_win.h"
#include "dummy/resource.h"
#include "dummy/scene_commands.h"

namespace {

constexpr int kMaxLoadString = 100;

std::vector<std::wstring> CommandLineArguments() {
    std::vector<std::wstring> args;
    int count = 0;
    if (wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
        LocalFree(argv);
    }
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    wchar_t title[kMaxLoadString] = L"";
    wchar_t className[kMaxLoadString] = L"";
    LoadStringW(instance, IDS_APP_TITLE, title, kMaxLoadString);
    LoadStringW(instance, IDC_DUMMYGKR, className, kMaxLoadString);
    // String 109 lacks the leading blank; only the exact game class is found
    // by the utility, so the built-in name replaces it.
    lstrcpynW(className, dummy::kGameWindowClass, kMaxLoadString);

    dummy::SetStartScene(dummy::SceneFromArguments(CommandLineArguments()));
    dummy::RegisterGameWindowClass(instance, className);
    HWND window = CreateWindowExW(0, className, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    ShowWindow(window, show);
    UpdateWindow(window);
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDC_DUMMYGKR));

    MSG msg{};
    int got;
    // GetMessageW returns -1 on failure; ending then beats spinning on it.
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return got == 0 ? static_cast<int>(msg.wParam) : 0;
}
