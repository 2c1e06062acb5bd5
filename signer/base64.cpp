#include "signer/base64.h"

namespace signer {

namespace {
constexpr char16_t kAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

std::u16string Base64OfBytes(std::string_view bytes) {
    std::u16string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (size_t i = 0; i < bytes.size(); i += 3) {
        // A short last group is padded with zero bytes, whose characters become "=" below.
        unsigned b1 = static_cast<unsigned char>(bytes[i]);
        unsigned b2 = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        unsigned b3 = i + 2 < bytes.size() ? static_cast<unsigned char>(bytes[i + 2]) : 0;
        out += kAlphabet[b1 >> 2];
        out += kAlphabet[((b1 & 3) << 4) | (b2 >> 4)];
        out += kAlphabet[((b2 & 15) << 2) | (b3 >> 6)];
        out += kAlphabet[b3 & 63];
    }
    switch (bytes.size() % 3) {
        case 1: out.replace(out.size() - 2, 2, u"=="); break;
        case 2: out.back() = u'='; break;
        default: break;
    }
    return out;
}

}  // namespace signer
