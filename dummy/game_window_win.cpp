#include "dummy/game_window_win.h"

#include <cstdint>
#include <vector>

#include "dummy/gdi_win.h"
#include "dummy/resource.h"
#include "dummy/scene_commands.h"

namespace dummy {

namespace {

// Only the window's thread reads or changes it (start-up, then WM_COMMAND).
Scene g_scene;

// Copies the bitmap's pixels, draws the scene over the copy and blits it.
void PaintScene(HDC dc, HBITMAP bitmap, int width, int height, const Scene& scene) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as Image keeps its rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> bits(static_cast<std::size_t>(width) * height * 4);
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS) != height) return;
    Image frame = ImageFromBgrx(bits.data(), width, height);
    ApplyScene(scene, frame);
    ImageToBgrx(frame, bits.data());
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
}

void OnPaint(HWND window) {
    PaintScope paint(window);
    // Loaded afresh on every paint; the picture sits unscaled at the top left
    // and the black class brush fills the rest of a larger client area.
    ScopedBitmap bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_GAMESCREEN)));
    if (!bitmap) return;
    BITMAP size{};
    GetObjectW(bitmap.get(), sizeof size, &size);
    if (g_scene != StillScene()) {
        PaintScene(paint.dc(), bitmap.get(), size.bmWidth, size.bmHeight, g_scene);
        return;
    }
    ScopedMemoryDC memory(paint.dc());
    if (!memory) return;
    ScopedSelect select(memory.get(), bitmap.get());
    BitBlt(paint.dc(), 0, 0, size.bmWidth, size.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK GameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            OnPaint(window);
            return 0;
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDM_ABOUT) {
                DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_ABOUTBOX), window, AboutBoxProc, 0);
                return 0;
            }
            if (id == IDM_EXIT) {
                DestroyWindow(window);
                return 0;
            }
            if (const int seconds = HangSeconds(id)) {
                Sleep(static_cast<DWORD>(seconds) * 1000);
                return 0;
            }
            if (ApplySceneCommand(id, g_scene)) {
                InvalidateRect(window, nullptr, FALSE);
                return 0;
            }
            break;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void SetStartScene(const Scene& scene) { g_scene = scene; }

ATOM RegisterGameWindowClass(HINSTANCE instance, const wchar_t* className) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = GameWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_DUMMY_LARGE));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_DUMMY_SMALL), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                               LR_DEFAULTCOLOR | LR_SHARED));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszMenuName = nullptr;  // menu 109 exists but the window has no menu bar
    wc.lpszClassName = className;
    return RegisterClassExW(&wc);
}

}  // namespace dummy
