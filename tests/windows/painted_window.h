// A borderless top-level window that paints a fixed list of coloured
// rectangles, so a test knows exactly which pixels the display shows where.
#pragma once

#include <windows.h>

#include <vector>

namespace gkr::test {

struct Fill {
    RECT rect;  // client coordinates, right and bottom exclusive
    COLORREF color;
};

class PaintedWindow {
public:
    // `className` lets a test pose as the game (" G K R ").
    PaintedWindow(const wchar_t* className, POINT topLeft, SIZE size, std::vector<Fill> fills);
    ~PaintedWindow();
    PaintedWindow(const PaintedWindow&) = delete;
    PaintedWindow& operator=(const PaintedWindow&) = delete;

    HWND Handle() const { return window_; }

    // Replaces the picture and waits until the display shows `probe` in `expected`.
    bool Repaint(std::vector<Fill> fills, POINT probe, COLORREF expected);

    // Pumps messages until the display shows `expected` at client point
    // `probe`, or 3 s have passed. Wine maps windows to the X server lazily.
    bool WaitForPixel(POINT probe, COLORREF expected);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const wchar_t* className_;
    HWND window_ = nullptr;
    std::vector<Fill> fills_;
};

// One pixel of the display, read with a screen DC; CLR_INVALID off screen.
COLORREF ScreenPixel(POINT screenPoint);

}  // namespace gkr::test
