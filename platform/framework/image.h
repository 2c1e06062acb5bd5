// Images: RGBA pixels, the 16-colour images of a module's resources, and PNG files of both, so a
// person (or a test) can look at what was drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/framework/gdi.h"
#include "platform/framework/module_resources.h"

namespace framework {

struct Pixel {
    BYTE r, g, b, a;
    bool operator==(const Pixel&) const = default;
};

constexpr Pixel ToPixel(COLORREF c) { return Pixel{GetRValue(c), GetGValue(c), GetBValue(c), 255}; }
inline constexpr Pixel kTransparent{0, 0, 0, 0};

class Image {
public:
    Image() = default;
    Image(int width, int height, Pixel fill = kTransparent);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Pixel At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, Pixel p) {
        if (Contains(x, y)) pixels_[Index(x, y)] = p;
    }
    const std::vector<Pixel>& Pixels() const { return pixels_; }

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * width_ + x; }
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

// The 16 colours of a 16-colour image, by palette index.
const COLORREF* Palette16();
// A 16-colour resource image as pixels; false when a row is short or holds another character.
bool Decode(const ImageResource& resource, Image* out);

// The PNG file (8-bit RGBA) of the image.
std::vector<BYTE> EncodePng(const Image& image);
// Writes it; false when the file cannot be written.
bool WritePng(const Image& image, const std::string& path);

}  // namespace framework
