// The picture's file: a Windows bitmap with a 40-byte BITMAPINFOHEADER, 24 bits
// per pixel, uncompressed, rows bottom-up, as a BITMAP resource takes it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "dummy/image.h"

namespace dummy {

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpInfoHeaderSize = 40;

// Row length in bytes: three bytes a pixel, padded to a multiple of four.
constexpr std::size_t BmpRowBytes(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

std::vector<std::uint8_t> EncodeBmpFile(const Image& image);

// The picture in a file written by EncodeBmpFile, or nothing if the file is
// not such a bitmap.
std::optional<Image> DecodeBmpFile(const std::vector<std::uint8_t>& file);

}  // namespace dummy
