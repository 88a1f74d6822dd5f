// Not a check: a picture of the three overlays as a player sees them, drawn
// inside this process over DummyGKR's own game picture (Wine draws no other
// process's child windows, so the demo's screenshot cannot show them), with
// two songs of a song file just played. scripts/demo runs it:
//   windows_tests.exe --gtest_also_run_disabled_tests --gtest_filter=OverlayPreview.* OUT.bmp SData.xml
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/framework/clock_win.h"
#include "app/framework/contract.h"
#include "app/framework/scoped_win.h"
#include "overlays/overlay_win.h"
#include "overlays/energy_wnd_win.h"
#include "overlays/flute_wnd_win.h"
#include "overlays/timer_wnd_win.h"
#include "settings/data_files.h"
#include "tests/windows/manager_test_support.h"

namespace gkr {
namespace {

constexpr int kGameScreenBitmap = 111;  // DummyGKR's still picture

HBITMAP g_picture = nullptr;

LRESULT CALLBACK GameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintScope paint(window);
        MemoryDC memory(paint.Dc());
        SelectScope selected(memory.Get(), g_picture);
        BitBlt(paint.Dc(), 0, 0, 644, 483, memory.Get(), 0, 0, SRCCOPY);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::wstring BesideThisProgram(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
}

// The screen rectangle as a 24-bit bottom-up BMP file.
bool SaveScreen(const RECT& r, const std::string& file) {
    const int w = r.right - r.left, h = r.bottom - r.top, stride = (w * 3 + 3) & ~3;
    DisplayDC screen;
    MemoryDC memory(screen.Get());
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biSizeImage = DWORD(stride * h);
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectScope selected(memory.Get(), bitmap.Get());
    if (!bits || !BitBlt(memory.Get(), 0, 0, w, h, screen.Get(), r.left, r.top, SRCCOPY)) return false;
    GdiFlush();
    BITMAPFILEHEADER head = {};
    head.bfType = 0x4D42;  // "BM"
    head.bfOffBits = DWORD(sizeof(head) + sizeof(info.bmiHeader));
    head.bfSize = head.bfOffBits + DWORD(stride * h);
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) return false;
    std::fwrite(&head, sizeof head, 1, out);
    std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
    std::fwrite(bits, 1, size_t(stride) * h, out);
    return std::fclose(out) == 0;
}

TEST(OverlayPreview, DISABLED_WritesAPicture) {
    testing::SettingsGuard settings;
    std::vector<std::string> args;  // the program and the arguments that are not gtest's
    for (const std::string& arg : ::testing::internal::GetArgvs())
        if (arg.rfind("--gtest", 0) != 0) args.push_back(arg);
    const std::string file = args.size() > 1 ? args[1] : "overlay-preview.bmp";
    const std::string songs = args.size() > 2 ? args[2] : "SData.xml";
    HMODULE dummy = LoadLibraryExW(BesideThisProgram(L"DummyGKR.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, dummy) << "DummyGKR.exe beside this program";
    g_picture = LoadBitmapW(dummy, MAKEINTRESOURCEW(kGameScreenBitmap));
    ASSERT_NE(nullptr, g_picture);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = GameProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kGameWindowClass;
    RegisterClassExW(&wc);
    HWND game = CreateWindowExW(WS_EX_NOACTIVATE, kGameWindowClass, L"preview", WS_POPUP, 20, 20, 644, 483, nullptr,
                                nullptr, wc.hInstance, nullptr);
    ShowWindow(game, SW_SHOWNOACTIVATE);

    Settings& s = Settings::Instance();
    s.UseTimer = 1;
    s.TimerSize = 150;
    s.MaxHealth = 100;
    s.UseFlute = 1;
    s.FluteWndX = 330;
    s.FluteWndY = 110;
    s.UpNote = 1;
    s.DownNote = 3;
    s.SideNote = 6;
    TimerWnd* timer = &TimerWnd::Instance();
    timer->Create();
    EnergyWnd::Instance().Create();
    LoadSongSheets(SongSheets::Instance(), songs);
    SongSheets::Instance().ComputeKeys();
    FluteWnd* sheet = &FluteWnd::Instance();
    sheet->Create();
    ShowOverlay(sheet->Live(), true);  // made hidden; the page would show it beside the note panel
    sheet->SetSongs(PlayableSongs(*SongSheets::Instance().Snapshot(), 1, 6, 3));
    const int32_t attack[5] = {3, 6, 1, 0, 0}, heal[5] = {1, 6, 0, 0, 0};
    sheet->OnNotes(attack);
    sheet->OnNotes(heal);
    sheet->OnNotes(heal);  // played twice: extended
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    timer->Restart(PerformanceCount() - (1 * 3600 + 23 * 60 + 45) * frequency.QuadPart);
    timer->Tick();
    testing::PumpUntil([] { return false; }, 700);

    RECT r = {};
    GetWindowRect(game, &r);
    EXPECT_TRUE(SaveScreen(r, file)) << file;
    std::printf("overlay preview: %s, %zu songs listed\n", file.c_str(), sheet->SongCount());
    timer->Close();
    EnergyWnd::Instance().Close();
    sheet->Close();
    DestroyWindow(game);
    UnregisterClassW(kGameWindowClass, wc.hInstance);
    DeleteObject(g_picture);
    FreeLibrary(dummy);
}

}  // namespace
}  // namespace gkr

namespace gkr {
namespace {

// Not a check: wall time of the overlays' paints, as the overlay thread does
// them once a second each. Run with --gtest_also_run_disabled_tests
// --gtest_filter=OverlayPaintTime.* (the song panel lists four songs).
TEST(OverlayPaintTime, DISABLED_PerPaint) {
    testing::SettingsGuard settings;
    testing::FakeGameWindow game;
    ShowWindow(game.Handle(), SW_SHOWNOACTIVATE);
    Settings& s = Settings::Instance();
    s.UseTimer = 1;
    s.TimerSize = 150;
    TimerWnd* timer = &TimerWnd::Instance();
    FluteWnd* sheet = &FluteWnd::Instance();
    HWND timerWindow = timer->Create();
    HWND sheetWindow = sheet->Create();
    Sheet songs[4];
    std::vector<const Sheet*> listed;
    for (int i = 0; i < 4; ++i) {
        songs[i].notes = {1, 6, 3, 1};
        songs[i].Effect1 = "effect";
        songs[i].NoteVal = 100 + i;
        listed.push_back(&songs[i]);
    }
    sheet->SetSongs(listed);
    testing::DrainMessages();

    const char* count = std::getenv("GKR_PAINTS");
    const int kPaints = count ? std::max(1, std::atoi(count)) : 200;
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    for (HWND window : {timerWindow, sheetWindow}) {
        std::vector<double> ms;
        for (int i = 0; i < kPaints; ++i) {
            InvalidateRect(window, nullptr, FALSE);
            QueryPerformanceCounter(&a);
            UpdateWindow(window);
            QueryPerformanceCounter(&b);
            ms.push_back(double(b.QuadPart - a.QuadPart) * 1000.0 / double(f.QuadPart));
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%s paint: median %.3f ms, min %.3f ms (%d paints)\n", window == timerWindow ? "timer" : "song panel",
                    ms[ms.size() / 2], ms[0], kPaints);
        // The picture alone, into memory: what the paint costs beyond the window's own handling.
        RECT client = {};
        GetClientRect(window, &client);
        MemoryDC memory(nullptr);
        ScopedBitmap bitmap(CreateBitmap(client.right + 1, client.bottom + 1, 1, 32, nullptr));
        SelectScope selected(memory.Get(), bitmap.Get());
        ms.clear();
        for (int i = 0; i < kPaints; ++i) {
            QueryPerformanceCounter(&a);
            if (window == timerWindow) timer->Draw(memory.Get(), client.right, client.bottom);
            else sheet->Draw(memory.Get(), client.right, client.bottom);
            QueryPerformanceCounter(&b);
            ms.push_back(double(b.QuadPart - a.QuadPart) * 1000.0 / double(f.QuadPart));
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%s picture alone: median %.3f ms\n", window == timerWindow ? "timer" : "song panel",
                    ms[ms.size() / 2]);
    }
    timer->Close();
    sheet->Close();
    sheet->SetSongs({});
}

}  // namespace
}  // namespace gkr
