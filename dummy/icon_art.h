// DummyGKR's class icons, drawn at any size: a keep on a round badge (the
// large icon) and the keep alone (the small icon).
#pragma once

#include <cstdint>
#include <vector>

namespace dummy {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;  // a: 0 transparent .. 255 opaque
};

enum class IconArt { Badge, Keep };

// size x size pixels, rows from the top; edges anti-aliased through alpha.
std::vector<Rgba> DrawIcon(IconArt art, int size);

}  // namespace dummy
