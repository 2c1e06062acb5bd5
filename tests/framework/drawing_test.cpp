// The drawing context and its raster target, and the PNG files made from images.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/framework/image.h"
#include "platform/framework/raster_target.h"

namespace {

using framework::Image;
using framework::Pixel;
constexpr Pixel kBackground{1, 2, 3, 255};
constexpr Pixel kWhite{255, 255, 255, 255};
constexpr Pixel kBlack{0, 0, 0, 255};

int Count(const Image& image, Pixel p) {
    int n = 0;
    for (const Pixel& q : image.Pixels()) n += q == p;
    return n;
}

TEST(RasterTarget, EllipseEdgeCases) {
    struct Case {
        const char* name;
        RECT rect;
        int outline;  // black pixels expected, -1: some
        int fill;     // white pixels expected, -1: some
    };
    const Case cases[] = {
        {"one pixel", {3, 3, 4, 4}, 1, 0},
        {"two by two", {3, 3, 5, 5}, 4, 0},
        {"inverted corners", {12, 12, 2, 2}, -1, -1},
        {"past the image edges", {-10, 5, 30, 15}, -1, -1},
        {"outside the image", {40, 40, 60, 60}, 0, 0},
        {"wider than 32 bits can span", {INT32_MIN, 0, INT32_MAX, 20}, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        framework::RasterTarget target(20, 20, kBackground);
        CDC dc(target);
        EXPECT_TRUE(dc.Ellipse(&c.rect));
        const int outline = Count(target.image(), kBlack), fill = Count(target.image(), kWhite);
        if (c.outline >= 0) EXPECT_EQ(outline, c.outline); else EXPECT_GT(outline, 0);
        if (c.fill >= 0) EXPECT_EQ(fill, c.fill); else EXPECT_GT(fill, 0);
    }
}

TEST(RasterTarget, HollowPenAndBrushDrawNothingOfTheirOwn) {
    framework::RasterTarget target(20, 20, kBackground);
    CDC dc(target);
    const RECT r{0, 0, 20, 20};
    dc.SelectStockObject(NULL_BRUSH);
    dc.Ellipse(&r);
    EXPECT_EQ(target.image().At(10, 10), kBackground);
    EXPECT_GT(Count(target.image(), kBlack), 0);
    framework::RasterTarget second(20, 20, kBackground);
    CDC dc2(second);
    dc2.SelectStockObject(NULL_PEN);
    dc2.Ellipse(&r);
    EXPECT_EQ(Count(second.image(), kBlack), 0);
    EXPECT_GT(Count(second.image(), kWhite), 0);
}

TEST(DeviceContext, StartsWithTheBlackPenAndWhiteBrushAndHandsBackWhatItReplaced) {
    framework::RasterTarget target(1, 1);
    CDC dc(target);
    EXPECT_EQ(dc.GetCurrentPen()->GetSafeHandle(), GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.GetCurrentBrush()->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
    CGdiObject* old = dc.SelectStockObject(GRAY_BRUSH);
    EXPECT_EQ(old->GetSafeHandle(), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.SelectStockObject(99), nullptr);
    EXPECT_EQ(CDC::FromHandle(dc.GetSafeHdc()), &dc);
}

// Reads the PNG back: chunk layout and checksums, then the pixels from the stored deflate blocks.
std::uint32_t Big32(const std::vector<BYTE>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

std::uint32_t BitwiseCrc(const BYTE* data, std::size_t n) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

TEST(Png, RoundTripsThePixels) {
    Image image(300, 70, kBackground);  // more than one stored block of image data
    image.Set(0, 0, kBlack);
    image.Set(299, 69, Pixel{10, 20, 30, 40});
    const std::vector<BYTE> png = framework::EncodePng(image);
    ASSERT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1A\n", 8), 0);
    std::vector<BYTE> zlib;
    std::vector<std::string> chunks;
    for (std::size_t at = 8; at < png.size();) {
        const std::uint32_t length = Big32(png, at);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        chunks.push_back(type);
        EXPECT_EQ(Big32(png, at + 8 + length), BitwiseCrc(&png[at + 4], length + 4)) << type;
        if (type == "IHDR") {
            EXPECT_EQ(Big32(png, at + 8), 300u);
            EXPECT_EQ(Big32(png, at + 12), 70u);
        }
        if (type == "IDAT") zlib.insert(zlib.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        at += 12 + length;
    }
    EXPECT_EQ(chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    std::vector<BYTE> raw;
    for (std::size_t at = 2; at + 4 < zlib.size();) {
        const bool last = zlib[at] & 1;
        const std::size_t n = zlib[at + 1] | (zlib[at + 2] << 8);
        EXPECT_EQ(n ^ 0xFFFF, static_cast<std::size_t>(zlib[at + 3] | (zlib[at + 4] << 8)));
        raw.insert(raw.end(), zlib.begin() + at + 5, zlib.begin() + at + 5 + n);
        at += 5 + n;
        if (last) break;
    }
    ASSERT_EQ(raw.size(), 70u * (1 + 4 * 300));
    auto pixel = [&](int x, int y) {
        const std::size_t at = y * (1 + 4 * 300) + 1 + 4 * x;
        return Pixel{raw[at], raw[at + 1], raw[at + 2], raw[at + 3]};
    };
    EXPECT_EQ(pixel(0, 0), kBlack);
    EXPECT_EQ(pixel(1, 0), kBackground);
    EXPECT_EQ(pixel(299, 69), (Pixel{10, 20, 30, 40}));
}

TEST(Image, DecodesSixteenColourRowsAndRefusesBadOnes) {
    const char* const good[] = {"0F.", "9C."};
    const char* const shortRow[] = {"0F", "9C."};
    const char* const badChar[] = {"0F.", "9G."};
    Image image;
    ASSERT_TRUE(framework::Decode({3, 2, good}, &image));
    EXPECT_EQ(image.At(0, 0), kBlack);
    EXPECT_EQ(image.At(1, 0), kWhite);
    EXPECT_EQ(image.At(2, 0), framework::kTransparent);
    EXPECT_EQ(image.At(0, 1), (Pixel{255, 0, 0, 255}));
    EXPECT_FALSE(framework::Decode({3, 2, shortRow}, &image));
    EXPECT_FALSE(framework::Decode({3, 2, badChar}, &image));
}

}  // namespace
