// Icon files (.ico) with several images: 4 bits per pixel (the 16 standard
// colours), 8 bits (a 256-colour palette) or 32 bits (colour with alpha), each
// with its transparency mask.
#pragma once

#include <cstdint>
#include <vector>

#include "dummy/icon_art.h"

namespace dummy {

struct IconImage {
    int size = 0;           // width = height
    int bitsPerPixel = 32;  // 4, 8 or 32
    std::vector<Rgba> pixels;
};

std::vector<std::uint8_t> EncodeIcoFile(const std::vector<IconImage>& images);

// Nearest palette entries, as the 4- and 8-bit images store them.
int NearestVgaColor(Rgba c);
int NearestCubeColor(Rgba c);

}  // namespace dummy
