#include "app/screen/examined_pixels.h"

#include "app/screen/health_gauge.h"
#include "app/screen/note_panel.h"

namespace gkr {

const std::vector<ClientPoint>& ExaminedPixels() {
    static const std::vector<ClientPoint> pixels = [] {
        std::vector<ClientPoint> all = HealthGaugeExaminedPixels();
        for (const ClientPoint& p : NotePanelExaminedPixels()) all.push_back(p);
        return all;
    }();
    return pixels;
}

std::vector<ClientPoint> ExaminedPixelsInside(int32_t originX, int32_t originY, int32_t left, int32_t top,
                                              int32_t width, int32_t height) {
    std::vector<ClientPoint> inside;
    for (const ClientPoint& p : ExaminedPixels()) {
        // 64 bits: the window's place comes from another process's numbers.
        const int64_t x = int64_t{originX} + p.x - left, y = int64_t{originY} + p.y - top;
        if (x >= 0 && y >= 0 && x < width && y < height) inside.push_back({int(x), int(y)});
    }
    return inside;
}

}  // namespace gkr
