// The player's health gauge, read from a two-row strip of the game's client
// area: whether the gauge is on screen and the maximum health it shows.
#pragma once

#include <cstdint>
#include <vector>

#include "app/screen/screen_pixels.h"

namespace gkr {

// The strip runs from client (119, 30) to the client area's last column, row
// 31; only its first row is examined. Pixel i of that row lies at client x = 119 + i.
constexpr CaptureRect HealthStripRect(int clientWidth) { return CaptureRect{119, 30, clientWidth - 1, 31}; }

// The gauge's length grows 3.25 pixels per health point, so the maximum is
// read from the last black pixel among 21 candidates, 50 to 150 in steps of 5.
constexpr int32_t kNoMaxHealth = -1;

struct HealthGaugeReading {
    int32_t maxHealth = kNoMaxHealth;  // scan result, even when the gauge is absent
    bool present = false;
};

// The largest candidate whose pixel is black, or -1. Pixels that were not
// captured (a narrow client, a cut-off capture) count as not black.
int32_t ScanMaxHealth(const PixelBlock& strip);

// The gauge's edge colour at client x = 120..122: three identical pixels, no
// channel zero, green at least twice the red and at least the blue.
bool IsHealthGaugePresent(const PixelBlock& strip);

HealthGaugeReading ReadHealthGauge(const PixelBlock& strip);

// Every pixel the two tests above examine, relative to the capture origin.
std::vector<ClientPoint> HealthGaugeExaminedPixels();

}  // namespace gkr
