#include "app/screen/health_gauge.h"

namespace gkr {

namespace {

constexpr int kScanSamples = 21;

// Index in the strip's first row of candidate k (value 50 + 5k): 3 + 3.25 v,
// kept in integers so every build truncates the same way.
int ScanIndex(int k) { return 3 + (16250 + 1625 * k) / 100; }

}  // namespace

int32_t ScanMaxHealth(const PixelBlock& strip) {
    int32_t result = kNoMaxHealth;
    for (int k = 0; k < kScanSamples; ++k) {
        if (strip.IsBlack(ScanIndex(k), 0)) result = 50 + 5 * k;
    }
    return result;
}

bool IsHealthGaugePresent(const PixelBlock& strip) {
    if (!strip.Has(1, 0) || !strip.Has(2, 0) || !strip.Has(3, 0)) return false;
    const Pixel p = strip.At(1, 0);
    if (p.b == 0 || p.g == 0 || p.r == 0) return false;
    if (p.g < 2 * p.r || p.g < p.b) return false;
    return p.SameBits(strip.At(2, 0)) && p.SameBits(strip.At(3, 0));
}

std::vector<ClientPoint> HealthGaugeExaminedPixels() {
    const CaptureRect strip = HealthStripRect(0);
    std::vector<ClientPoint> pixels;
    for (int i = 1; i <= 3; ++i) pixels.push_back({strip.left + i, strip.top});
    for (int k = 0; k < kScanSamples; ++k) pixels.push_back({strip.left + ScanIndex(k), strip.top});
    return pixels;
}

HealthGaugeReading ReadHealthGauge(const PixelBlock& strip) {
    HealthGaugeReading reading;
    reading.maxHealth = ScanMaxHealth(strip);
    reading.present = IsHealthGaugePresent(strip);
    return reading;
}

}  // namespace gkr
