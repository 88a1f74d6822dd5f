// A 32-bit top-down picture in memory: drawn into through Dc(), or taken
// from a window's client area through PrintWindow (WM_PRINTCLIENT), which
// works for our own windows wherever Wine draws them on screen or not.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "app/framework/scoped_win.h"

namespace gkr::testing {

class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const uint8_t*>(bits);
        select_ = std::make_unique<SelectScope>(dc_.Get(), bitmap_.Get());
    }
    // The client area of `window`, painted through WM_PRINTCLIENT.
    explicit Picture(HWND window) : Picture(ClientSize(window).cx, ClientSize(window).cy) {
        ok_ = PrintWindow(window, Dc(), PW_CLIENTONLY) != FALSE;
        GdiFlush();
    }
    HDC Dc() const { return dc_.Get(); }
    bool Ok() const { return ok_ && bits_; }
    COLORREF At(int x, int y) const {
        const uint8_t* p = bits_ + (size_t(y) * size_t(width_) + size_t(x)) * 4;
        return RGB(p[2], p[1], p[0]);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    static SIZE ClientSize(HWND window) {
        RECT client = {};
        GetClientRect(window, &client);
        return SIZE{client.right, client.bottom};
    }
    int width_, height_;
    MemoryDC dc_{nullptr};
    ScopedBitmap bitmap_;
    const uint8_t* bits_ = nullptr;
    std::unique_ptr<SelectScope> select_;
    bool ok_ = true;
};

}  // namespace gkr::testing
