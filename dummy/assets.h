// The files DummyGKR's resources are built from, generated here and committed
// under dummy/res (tools/make_assets.cpp writes them; a unit test checks that
// the committed copies still match this code byte for byte).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dummy/ico_file.h"

namespace dummy {

struct AssetFile {
    std::string name;  // file name in dummy/res
    std::vector<std::uint8_t> bytes;
};

// Bitmap 111, the still game screen: the frame of StillScene().
std::vector<std::uint8_t> GameScreenBmp();

// Icon groups 107 (large, IconArt::Badge) and 108 (small, IconArt::Keep):
// 32 and 16 pixels at 4 bits, 48, 32 and 16 pixels at 8 and at 32 bits.
std::vector<IconImage> IconImages(IconArt art);
std::vector<std::uint8_t> IconFile(IconArt art);

// Every generated file: gamescreen.bmp, large.ico, small.ico.
std::vector<AssetFile> AllAssets();

}  // namespace dummy
