#include "dummy/assets.h"

#include "dummy/bmp_file.h"
#include "dummy/scene.h"

namespace dummy {

std::vector<std::uint8_t> GameScreenBmp() { return EncodeBmpFile(RenderGameFrame(StillScene())); }

std::vector<IconImage> IconImages(IconArt art) {
    static const struct {
        int size, bits;
    } kSet[] = {{32, 4}, {16, 4}, {48, 8}, {32, 8}, {16, 8}, {48, 32}, {32, 32}, {16, 32}};
    std::vector<IconImage> images;
    for (const auto& s : kSet) images.push_back({s.size, s.bits, DrawIcon(art, s.size)});
    return images;
}

std::vector<std::uint8_t> IconFile(IconArt art) { return EncodeIcoFile(IconImages(art)); }

std::vector<AssetFile> AllAssets() {
    return {{"gamescreen.bmp", GameScreenBmp()},
            {"large.ico", IconFile(IconArt::Badge)},
            {"small.ico", IconFile(IconArt::Keep)}};
}

}  // namespace dummy
