#include "platform/framework/raster_target.h"

#include <algorithm>

namespace framework {
namespace {

// The rectangle with its corners in order.
RECT Normalized(const RECT& r) {
    return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

}  // namespace

void RasterTarget::FillRect(const RECT& rect, const GdiObjectData& brush) {
    if (brush.hollow) return;
    const Pixel color = ToPixel(brush.color);
    const LONG left = std::max<LONG>(rect.left, 0), top = std::max<LONG>(rect.top, 0);
    const LONG right = std::min<LONG>(rect.right, image_.Width()), bottom = std::min<LONG>(rect.bottom, image_.Height());
    for (LONG y = top; y < bottom; ++y)
        for (LONG x = left; x < right; ++x) image_.Set(x, y, color);
}

void RasterTarget::Ellipse(const RECT& given, const GdiObjectData& pen, const GdiObjectData& brush) {
    const RECT r = Normalized(given);
    if (r.right == r.left || r.bottom == r.top) return;
    // In double: the sum or span of two 32-bit coordinates can exceed 32 bits.
    const double l = r.left, t = r.top, rr = r.right, b = r.bottom;
    const double cx = (l + rr) / 2.0, cy = (t + b) / 2.0;
    const double rx = (rr - l) / 2.0, ry = (b - t) / 2.0;
    auto inside = [&](LONG x, LONG y) {
        if (x < r.left || x >= r.right || y < r.top || y >= r.bottom) return false;
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
    const Pixel fill = ToPixel(brush.color), outline = ToPixel(pen.color);
    // Only the visible part of the rectangle is walked.
    const LONG left = std::max<LONG>(r.left, 0), top = std::max<LONG>(r.top, 0);
    const LONG right = std::min<LONG>(r.right, image_.Width()), bottom = std::min<LONG>(r.bottom, image_.Height());
    for (LONG y = top; y < bottom; ++y) {
        for (LONG x = left; x < right; ++x) {
            if (!inside(x, y)) continue;
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            if (edge && !pen.hollow)
                image_.Set(x, y, outline);
            else if (!brush.hollow)
                image_.Set(x, y, fill);
        }
    }
}

}  // namespace framework
