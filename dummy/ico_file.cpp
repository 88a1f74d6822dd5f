#include "dummy/ico_file.h"

#include "dummy/byte_writer.h"

namespace dummy {

namespace {

struct Entry {
    std::uint8_t r, g, b;
};

// The standard 16 colours of 4-bit icons.
constexpr Entry kVga[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

// 8-bit palette: a 6 x 6 x 6 colour cube, then 40 greys between its levels.
Entry CubeEntry(int i) {
    if (i < 216) {
        auto level = [](int n) { return static_cast<std::uint8_t>(n * 51); };
        return {level(i / 36), level(i / 6 % 6), level(i % 6)};
    }
    const auto grey = static_cast<std::uint8_t>(6 + (i - 216) * 6);
    return {grey, grey, grey};
}

int Distance(Rgba c, Entry e) {
    const int dr = c.r - e.r, dg = c.g - e.g, db = c.b - e.b;
    return dr * dr * 3 + dg * dg * 4 + db * db * 2;  // green weighs most, blue least
}

bool Transparent(Rgba c) { return c.a < 128; }

std::size_t Stride(int size, int bits) { return (static_cast<std::size_t>(size) * bits + 31) / 32 * 4; }

std::size_t PaletteEntries(int bits) { return bits == 4 ? 16 : bits == 8 ? 256 : 0; }

std::size_t ImageBytes(const IconImage& img) {
    return 40 + PaletteEntries(img.bitsPerPixel) * 4 + Stride(img.size, img.bitsPerPixel) * img.size +
           Stride(img.size, 1) * img.size;
}

void WriteImage(ByteWriter& w, const IconImage& img) {
    const int n = img.size, bits = img.bitsPerPixel;
    const std::size_t xorStride = Stride(n, bits), andStride = Stride(n, 1);
    w.U32(40);
    w.U32(static_cast<std::uint32_t>(n));
    w.U32(static_cast<std::uint32_t>(2 * n));  // colour and mask halves
    w.U16(1);
    w.U16(static_cast<unsigned>(bits));
    w.U32(0);
    w.U32(static_cast<std::uint32_t>((xorStride + andStride) * n));
    w.Zeros(16);
    for (std::size_t i = 0; i < PaletteEntries(bits); ++i) {
        const Entry e = bits == 4 ? kVga[i] : CubeEntry(static_cast<int>(i));
        w.U8(e.b);
        w.U8(e.g);
        w.U8(e.r);
        w.U8(0);
    }
    auto at = [&](int x, int y) { return img.pixels[static_cast<std::size_t>(y) * n + x]; };
    for (int y = n - 1; y >= 0; --y) {
        const std::size_t start = w.Size();
        for (int x = 0; x < n; ++x) {
            const Rgba c = at(x, y);
            if (bits == 32) {
                w.U8(c.b);
                w.U8(c.g);
                w.U8(c.r);
                w.U8(c.a);
            } else if (bits == 8) {
                w.U8(Transparent(c) ? 0 : static_cast<unsigned>(NearestCubeColor(c)));
            } else if (x % 2 == 0) {
                const int hi = Transparent(c) ? 0 : NearestVgaColor(c);
                const Rgba d = x + 1 < n ? at(x + 1, y) : Rgba{};
                const int lo = Transparent(d) ? 0 : NearestVgaColor(d);
                w.U8(static_cast<unsigned>(hi << 4 | lo));
            }
        }
        w.Zeros(xorStride - (w.Size() - start));
    }
    for (int y = n - 1; y >= 0; --y) {
        for (std::size_t byte = 0; byte < andStride; ++byte) {
            unsigned bitsOut = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = static_cast<int>(byte) * 8 + bit;
                if (x < n && Transparent(at(x, y))) bitsOut |= 0x80u >> bit;
            }
            w.U8(bitsOut);
        }
    }
}

}  // namespace

int NearestVgaColor(Rgba c) {
    int best = 0;
    for (int i = 1; i < 16; ++i)
        if (Distance(c, kVga[i]) < Distance(c, kVga[best])) best = i;
    return best;
}

int NearestCubeColor(Rgba c) {
    int best = 0;
    for (int i = 1; i < 256; ++i)
        if (Distance(c, CubeEntry(i)) < Distance(c, CubeEntry(best))) best = i;
    return best;
}

std::vector<std::uint8_t> EncodeIcoFile(const std::vector<IconImage>& images) {
    ByteWriter w;
    w.U16(0);  // reserved
    w.U16(1);  // icon
    w.U16(static_cast<unsigned>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (const IconImage& img : images) {
        w.U8(static_cast<unsigned>(img.size));
        w.U8(static_cast<unsigned>(img.size));
        w.U8(img.bitsPerPixel == 4 ? 16 : 0);  // colour count, 0 for 8 bits and more
        w.U8(0);
        w.U16(1);
        w.U16(static_cast<unsigned>(img.bitsPerPixel));
        w.U32(static_cast<std::uint32_t>(ImageBytes(img)));
        w.U32(static_cast<std::uint32_t>(offset));
        offset += ImageBytes(img);
    }
    for (const IconImage& img : images) WriteImage(w, img);
    return std::move(w.Bytes());
}

}  // namespace dummy
