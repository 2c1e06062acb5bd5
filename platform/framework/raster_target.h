// A drawing target that renders into an image, one pixel per logical unit.
#pragma once

#include "platform/framework/dc.h"
#include "platform/framework/image.h"

namespace framework {

class RasterTarget final : public DrawTarget {
public:
    // An image of that size, filled with the background.
    RasterTarget(int width, int height, Pixel background = kTransparent) : image_(width, height, background) {}
    const Image& image() const { return image_; }

    void FillRect(const RECT& rect, const GdiObjectData& brush) override;
    // Pixels whose centre lies inside the ellipse inscribed in the rectangle (right and bottom
    // edges excluded) are filled; those of them next to a pixel outside form the outline.
    void Ellipse(const RECT& rect, const GdiObjectData& pen, const GdiObjectData& brush) override;

private:
    Image image_;
};

}  // namespace framework
