#include "platform/framework/image.h"

#include <cstring>

namespace framework {
namespace {

// The 16 colours of the classic 4-bit palette.
const COLORREF kPalette16[16] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
};

int PaletteIndex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

Image::Image(int width, int height, Pixel fill)
    : width_(width < 0 ? 0 : width),
      height_(height < 0 ? 0 : height),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

const COLORREF* Palette16() { return kPalette16; }

bool Decode(const ImageResource& resource, Image* out) {
    Image image(resource.width, resource.height);
    for (int y = 0; y < resource.height; ++y) {
        const char* row = resource.rows[y];
        if (row == nullptr || std::strlen(row) != static_cast<std::size_t>(resource.width)) return false;
        for (int x = 0; x < resource.width; ++x) {
            if (row[x] == '.') continue;
            const int index = PaletteIndex(row[x]);
            if (index < 0) return false;
            image.Set(x, y, ToPixel(kPalette16[index]));
        }
    }
    *out = std::move(image);
    return true;
}

}  // namespace framework
