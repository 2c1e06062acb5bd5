// A small PNG writer: 8-bit RGBA, no filtering, the image data in stored (uncompressed) deflate
// blocks. Images drawn here are small, so size does not matter and no library is needed.
#include <cstdio>
#include <memory>

#include "platform/framework/image.h"

namespace framework {
namespace {

std::uint32_t Crc32(const BYTE* data, std::size_t size, std::uint32_t crc = 0) {
    static const auto table = [] {
        std::unique_ptr<std::uint32_t[]> t(new std::uint32_t[256]);
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(const std::vector<BYTE>& data) {
    std::uint32_t a = 1, b = 0;
    for (BYTE byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBig32(std::vector<BYTE>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<BYTE>(v >> shift));
}

void Chunk(std::vector<BYTE>& out, const char* type, const std::vector<BYTE>& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

// The zlib stream of the bytes, in stored blocks.
std::vector<BYTE> Stored(const std::vector<BYTE>& raw) {
    std::vector<BYTE> out{0x78, 0x01};
    std::size_t done = 0;
    do {
        const std::size_t n = std::min<std::size_t>(raw.size() - done, 65535);
        const bool last = done + n == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<BYTE>(n & 0xFF));
        out.push_back(static_cast<BYTE>(n >> 8));
        out.push_back(static_cast<BYTE>(~n & 0xFF));
        out.push_back(static_cast<BYTE>((~n >> 8) & 0xFF));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(done),
                   raw.begin() + static_cast<std::ptrdiff_t>(done + n));
        done += n;
    } while (done < raw.size());
    PutBig32(out, Adler32(raw));
    return out;
}

}  // namespace

std::vector<BYTE> EncodePng(const Image& image) {
    std::vector<BYTE> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<BYTE> header;
    PutBig32(header, static_cast<std::uint32_t>(image.Width()));
    PutBig32(header, static_cast<std::uint32_t>(image.Height()));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    Chunk(out, "IHDR", header);
    std::vector<BYTE> raw;
    raw.reserve(static_cast<std::size_t>(image.Height()) * (1 + 4 * static_cast<std::size_t>(image.Width())));
    for (int y = 0; y < image.Height(); ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel p = image.At(x, y);
            raw.insert(raw.end(), {p.r, p.g, p.b, p.a});
        }
    }
    Chunk(out, "IDAT", Stored(raw));
    Chunk(out, "IEND", {});
    return out;
}

bool WritePng(const Image& image, const std::string& path) {
    const std::vector<BYTE> bytes = EncodePng(image);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace framework
