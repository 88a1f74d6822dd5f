// make_dummy_assets OUTDIR: writes DummyGKR's generated resource files
// (gamescreen.bmp, large.ico, small.ico) into OUTDIR, normally dummy/res.
// Run it after changing the drawing code and commit the files with the change;
// the unit tests fail while the committed files differ from what this writes.
//
// What the still picture (bitmap 111, 644 x 483, 24 bits, bottom-up) shows,
// in client coordinates of the window it is painted into at (0, 0):
//
//   A player character (a raider with cape, shield and raised sword) stands on
//   a meadow by a road that winds up to a keep in front of snowy mountains, at
//   evening sun. Heads-up display: a round portrait with level badge at the top
//   left, the health gauge and a stamina gauge right of it, the flute marker and
//   note panel under them, a chat box at the bottom left and an item box with
//   five slots at the bottom right.
//
//   Pixels that encode the game state (checked by dummy_scene_test.cpp):
//   - Health gauge present: row y = 30 at x = 120, 121, 122 is the fill colour
//     (R, G, B) = (48, 184, 56): all three identical, no byte 0, G >= 2R, G >= B.
//   - Maximum health 100: on row 30 the gauge's black right frame column is at
//     x = 447 = 122 + floor(3.25 x 100). Of the 21 scan samples
//     x = 122 + floor(3.25 v), v = 50, 55, ..., 150, only x = 447 is black
//     (0, 0, 0); the samples left of it are fill colours, those right of it sky.
//   - Note panel marker present: column x = 215 is black at y = 51..54, white
//     (255, 255, 255) at y = 55 and 56 and black at y = 57..61.
//   - Note panel at (239, 53)-(326, 70) with four empty slots: the frame pixels
//     (239, 61), (253, 61), (263, 69), (277, 69), (287, 61), (301, 61),
//     (311, 69), (325, 69) and the colour samples (249, 61), (278, 61),
//     (297, 61), (326, 61) are all black, so no note is read.
//   No other pixel these rules read is pure black or white by accident.
//
// The icons (groups 107 and 108) are a keep on a round gold-rimmed badge and
// the keep alone, each at 32 and 16 pixels with 4 bits, and 48, 32 and 16
// pixels with 8 and 32 bits per pixel.
#include <cstdio>
#include <string>

#include "dummy/assets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_dummy_assets OUTDIR\n");
        return 2;
    }
    for (const dummy::AssetFile& asset : dummy::AllAssets()) {
        const std::string path = std::string(argv[1]) + "/" + asset.name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) {
            std::fprintf(stderr, "make_dummy_assets: cannot write %s\n", path.c_str());
            return 1;
        }
        const bool ok = std::fwrite(asset.bytes.data(), 1, asset.bytes.size(), f) == asset.bytes.size();
        if (std::fclose(f) != 0 || !ok) {
            std::fprintf(stderr, "make_dummy_assets: writing %s failed\n", path.c_str());
            return 1;
        }
        std::printf("%s: %zu bytes\n", path.c_str(), asset.bytes.size());
    }
    return 0;
}
