#pragma once

#include <algorithm>
#include <cstdint>

namespace vlnokan::drawing {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb rgb(int red, int green, int blue) {
    return Rgb(red) << 16 | Rgb(green) << 8 | Rgb(blue);
}
constexpr int redOf(Rgb colour) {
    return int(colour >> 16 & 0xFF);
}
constexpr int greenOf(Rgb colour) {
    return int(colour >> 8 & 0xFF);
}
constexpr int blueOf(Rgb colour) {
    return int(colour & 0xFF);
}

inline constexpr Rgb black = rgb(0, 0, 0);
inline constexpr Rgb white = rgb(255, 255, 255);
inline constexpr Rgb cyan = rgb(0, 255, 255);
inline constexpr Rgb red = rgb(255, 0, 0);

// A pixel of a drawing: x to the right, y downward from the top-left pixel.
struct Point {
    int x = 0;
    int y = 0;
    friend constexpr Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend constexpr Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend constexpr bool operator==(Point, Point) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(Size, Size) = default;
};

// A rectangle of whole pixels; empty when its width or height is not positive.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    constexpr bool isEmpty() const { return width <= 0 || height <= 0; }
    constexpr int right() const { return x + width; }   // one past the last column
    constexpr int bottom() const { return y + height; } // one past the last row
    constexpr bool contains(Point p) const {
        return p.x >= x && p.x < right() && p.y >= y && p.y < bottom();
    }
    constexpr bool contains(const Rect& other) const {
        return !isEmpty() && !other.isEmpty() && other.x >= x && other.y >= y &&
               other.right() <= right() && other.bottom() <= bottom();
    }
    constexpr Rect intersected(const Rect& other) const {
        const int left = std::max(x, other.x);
        const int top = std::max(y, other.y);
        const int r = std::min(right(), other.right());
        const int b = std::min(bottom(), other.bottom());
        if (r <= left || b <= top)
            return {};
        return {left, top, r - left, b - top};
    }
    constexpr Rect united(const Rect& other) const {
        if (isEmpty())
            return other;
        if (other.isEmpty())
            return *this;
        const int left = std::min(x, other.x);
        const int top = std::min(y, other.y);
        return {left, top, std::max(right(), other.right()) - left,
                std::max(bottom(), other.bottom()) - top};
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace vlnokan::drawing
