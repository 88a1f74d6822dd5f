#include "dummy/image.h"

#include <algorithm>
#include <cstdlib>

namespace dummy {

namespace {

// Floor division for a positive divisor, also right for negative numerators.
long long FloorDiv(long long a, long long b) {
    long long q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

std::uint8_t Clamp255(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

}  // namespace

Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.Empty()) return {};
    return r;
}

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

bool Image::operator==(const Image& o) const {
    return width_ == o.width_ && height_ == o.height_ &&
           std::equal(pixels_.begin(), pixels_.end(), o.pixels_.begin(), o.pixels_.end());
}

Image ImageFromBgrx(const std::uint8_t* bytes, int width, int height) {
    Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, bytes += 4) image.Set(x, y, Rgb{bytes[2], bytes[1], bytes[0]});
    return image;
}

void ImageToBgrx(const Image& image, std::uint8_t* bytes) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x, bytes += 4) {
            Rgb c = image.At(x, y);
            bytes[0] = c.b;
            bytes[1] = c.g;
            bytes[2] = c.r;
            bytes[3] = 0;
        }
}

Rgb Mix(Rgb under, Rgb over, int alpha) {
    alpha = std::clamp(alpha, 0, 255);
    auto mix = [alpha](int u, int o) { return Clamp255((o * alpha + u * (255 - alpha) + 127) / 255); };
    return {mix(under.r, over.r), mix(under.g, over.g), mix(under.b, over.b)};
}

Rgb Shade(Rgb c, int num, int den) {
    return {Clamp255(c.r * num / den), Clamp255(c.g * num / den), Clamp255(c.b * num / den)};
}

Canvas::Canvas(Image& image) : image_(image), clip_(image.Bounds()) {}

Canvas::Canvas(Image& image, const Rect& clip) : image_(image), clip_(Intersect(clip, image.Bounds())) {}

void Canvas::Plot(int x, int y, Rgb c) {
    if (clip_.Contains(x, y)) image_.Set(x, y, c);
}

void Canvas::Blend(int x, int y, Rgb c, int alpha) {
    if (clip_.Contains(x, y)) image_.Set(x, y, Mix(image_.At(x, y), c, alpha));
}

void Canvas::FillRect(const Rect& r, Rgb c) {
    Rect a = Intersect(r, clip_);
    for (int y = a.top; y < a.bottom; ++y)
        for (int x = a.left; x < a.right; ++x) image_.Set(x, y, c);
}

void Canvas::BlendRect(const Rect& r, Rgb c, int alpha) {
    Rect a = Intersect(r, clip_);
    for (int y = a.top; y < a.bottom; ++y)
        for (int x = a.left; x < a.right; ++x) image_.Set(x, y, Mix(image_.At(x, y), c, alpha));
}

void Canvas::FrameRect(const Rect& r, Rgb c) {
    FillRect({r.left, r.top, r.right, r.top + 1}, c);
    FillRect({r.left, r.bottom - 1, r.right, r.bottom}, c);
    FillRect({r.left, r.top, r.left + 1, r.bottom}, c);
    FillRect({r.right - 1, r.top, r.right, r.bottom}, c);
}

void Canvas::FillEllipse(int cx, int cy, int rx, int ry, Rgb c) { BlendEllipse(cx, cy, rx, ry, c, 255); }

void Canvas::BlendEllipse(int cx, int cy, int rx, int ry, Rgb c, int alpha) {
    if (rx <= 0 || ry <= 0) return;
    const long long rx2 = 1LL * rx * rx, ry2 = 1LL * ry * ry;
    Rect a = Intersect({cx - rx, cy - ry, cx + rx + 1, cy + ry + 1}, clip_);
    for (int y = a.top; y < a.bottom; ++y) {
        const long long dy = y - cy;
        for (int x = a.left; x < a.right; ++x) {
            const long long dx = x - cx;
            if (dx * dx * ry2 + dy * dy * rx2 <= rx2 * ry2) Blend(x, y, c, alpha);
        }
    }
}

void Canvas::Ring(int cx, int cy, int radius, Rgb c) {
    const long long inner = (2LL * radius - 1) * (2LL * radius - 1);
    const long long outer = (2LL * radius + 1) * (2LL * radius + 1);
    Rect a = Intersect({cx - radius - 1, cy - radius - 1, cx + radius + 2, cy + radius + 2}, clip_);
    for (int y = a.top; y < a.bottom; ++y)
        for (int x = a.left; x < a.right; ++x) {
            const long long d4 = 4LL * ((x - cx) * (x - cx) + (y - cy) * (y - cy));
            if (d4 >= inner && d4 < outer) image_.Set(x, y, c);
        }
}

void Canvas::FillPolygon(const std::vector<Point>& points, Rgb c) {
    if (points.size() < 3) return;
    int top = points[0].y, bottom = points[0].y;
    for (const Point& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    top = std::max(top, clip_.top);
    bottom = std::min(bottom, clip_.bottom);
    std::vector<long long> xs;  // crossings in 1/256 pixel
    for (int y = top; y < bottom; ++y) {
        xs.clear();
        const long long yc2 = 2LL * y + 1;  // scan line through the pixel centres, doubled
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point& p = points[i];
            const Point& q = points[(i + 1) % points.size()];
            if (p.y == q.y) continue;
            const long long lo = 2LL * std::min(p.y, q.y), hi = 2LL * std::max(p.y, q.y);
            if (yc2 <= lo || yc2 >= hi) continue;
            xs.push_back(256LL * p.x + FloorDiv((yc2 - 2LL * p.y) * (q.x - p.x) * 128, q.y - p.y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            // Pixel x is inside when its centre x*256+128 lies in [xs[i], xs[i+1]).
            const long long from = -FloorDiv(-(xs[i] - 128), 256);
            const long long to = -FloorDiv(-(xs[i + 1] - 128), 256);
            for (long long x = std::max<long long>(from, clip_.left); x < std::min<long long>(to, clip_.right); ++x)
                image_.Set(static_cast<int>(x), y, c);
        }
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgb c) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Plot(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

}  // namespace dummy
