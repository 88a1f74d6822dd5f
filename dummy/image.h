// A plain RGB pixel buffer, rows from the top, and the few drawing primitives the
// game frame is painted with. Integer arithmetic only, so a picture comes out
// byte for byte the same from every compiler and optimisation level.
#pragma once

#include <cstdint>
#include <vector>

namespace dummy {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

constexpr bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
constexpr bool operator!=(Rgb a, Rgb b) { return !(a == b); }

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// Half-open rectangle [left, right) x [top, bottom).
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

Rect Intersect(const Rect& a, const Rect& b);

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = kBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Rect Bounds() const { return {0, 0, width_, height_}; }

    Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Rgb c) { pixels_[Index(x, y)] = c; }

    bool operator==(const Image& o) const;
    bool operator!=(const Image& o) const { return !(*this == o); }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
    int width_ = 0, height_ = 0;
    std::vector<Rgb> pixels_;
};

// Conversions to the 32-bit blue, green, red, unused layout of a top-down DIB.
Image ImageFromBgrx(const std::uint8_t* bytes, int width, int height);
void ImageToBgrx(const Image& image, std::uint8_t* bytes);

// Linear mix of two colours; alpha 0 keeps `under`, 255 gives `over`.
Rgb Mix(Rgb under, Rgb over, int alpha);
// Scales each channel by num/den (darker when num < den), clamped to 255.
Rgb Shade(Rgb c, int num, int den);

struct Point {
    int x = 0, y = 0;
};

// Draws into an image; every primitive is cut to the clip rectangle, so a part
// of the picture can be painted again without touching its surroundings.
class Canvas {
public:
    explicit Canvas(Image& image);
    Canvas(Image& image, const Rect& clip);

    const Rect& Clip() const { return clip_; }
    Rgb At(int x, int y) const { return image_.At(x, y); }

    void Plot(int x, int y, Rgb c);
    void Blend(int x, int y, Rgb c, int alpha);
    void FillRect(const Rect& r, Rgb c);
    void BlendRect(const Rect& r, Rgb c, int alpha);
    // Frame one pixel wide along the inside of r.
    void FrameRect(const Rect& r, Rgb c);
    // Ellipse with centre (cx, cy) and radii rx, ry (pixel centres inside are filled).
    void FillEllipse(int cx, int cy, int rx, int ry, Rgb c);
    void BlendEllipse(int cx, int cy, int rx, int ry, Rgb c, int alpha);
    // Ring of the pixels whose distance from the centre rounds to `radius`.
    void Ring(int cx, int cy, int radius, Rgb c);
    // Convex or concave polygon, even-odd rule, sampled at pixel centres.
    void FillPolygon(const std::vector<Point>& points, Rgb c);
    void Line(int x0, int y0, int x1, int y1, Rgb c);

private:
    Image& image_;
    Rect clip_;
};

}  // namespace dummy
