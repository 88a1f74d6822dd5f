#include "dummy/bmp_file.h"

#include "dummy/byte_writer.h"

namespace dummy {

namespace {

constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

}  // namespace

std::vector<std::uint8_t> EncodeBmpFile(const Image& image) {
    const std::size_t row = BmpRowBytes(image.Width());
    const std::size_t imageSize = row * static_cast<std::size_t>(image.Height());
    const std::size_t offset = kBmpFileHeaderSize + kBmpInfoHeaderSize;
    ByteWriter w;
    // BITMAPFILEHEADER: the resource compiler drops it, keeping the rest.
    w.U8('B');
    w.U8('M');
    w.U32(static_cast<std::uint32_t>(offset + imageSize));
    w.U32(0);
    w.U32(static_cast<std::uint32_t>(offset));
    // BITMAPINFOHEADER.
    w.U32(kBmpInfoHeaderSize);
    w.U32(static_cast<std::uint32_t>(image.Width()));
    w.U32(static_cast<std::uint32_t>(image.Height()));  // positive: bottom-up rows
    w.U16(1);                                          // planes
    w.U16(24);                                         // bits per pixel
    w.U32(0);                                          // BI_RGB
    w.U32(static_cast<std::uint32_t>(imageSize));
    w.U32(kPixelsPerMetre);
    w.U32(kPixelsPerMetre);
    w.U32(0);  // no colour table
    w.U32(0);
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Rgb c = image.At(x, y);
            w.U8(c.b);
            w.U8(c.g);
            w.U8(c.r);
        }
        w.Zeros(row - static_cast<std::size_t>(image.Width()) * 3);
    }
    return std::move(w.Bytes());
}

std::optional<Image> DecodeBmpFile(const std::vector<std::uint8_t>& file) {
    const std::size_t header = kBmpFileHeaderSize;
    if (file.size() < header + kBmpInfoHeaderSize || file[0] != 'B' || file[1] != 'M') return std::nullopt;
    const std::uint32_t offset = ReadU32(file, 10);
    const std::int32_t width = static_cast<std::int32_t>(ReadU32(file, header + 4));
    const std::int32_t height = static_cast<std::int32_t>(ReadU32(file, header + 8));
    if (ReadU32(file, header) != kBmpInfoHeaderSize || ReadU16(file, header + 12) != 1 ||
        ReadU16(file, header + 14) != 24 || ReadU32(file, header + 16) != 0 || width <= 0 || height <= 0 ||
        width > 1 << 14 || height > 1 << 14)
        return std::nullopt;
    const std::size_t row = BmpRowBytes(width);
    if (offset < header + kBmpInfoHeaderSize || file.size() < offset + row * static_cast<std::size_t>(height))
        return std::nullopt;
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* p = file.data() + offset + row * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x, p += 3) image.Set(x, y, Rgb{p[2], p[1], p[0]});
    }
    return image;
}

}  // namespace dummy
