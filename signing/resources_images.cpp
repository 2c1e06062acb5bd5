// The toolbox bitmap (16 x 15) and the icon (32 x 32 and 16 x 16): a smart card with its chip and a
// signature, in the 16 colours of the classic palette (see framework::Palette16; '.' is transparent).
#include "signing/resources.h"

namespace signing_resources {
namespace {

const char* const kBitmapRows[] = {
    "7777777777777777",
    "7777777777777777",
    "7000000000000007",
    "70FFFFFFFFFFFF07",
    "70F3333FFFFFFF07",
    "70F3B33FFFFFFF07",
    "70F33B3FFFFFFF07",
    "70F3333FFFFFFF07",
    "70FFFFFFFCFCFF07",
    "70FFFFFFCFCFCF07",
    "70FF888888888F07",
    "70FFFFFFFFFFFF07",
    "7000000000000007",
    "7777777777777777",
    "7777777777777777",
};

const char* const kIcon32Rows[] = {
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    ".000000000000000000000000000000.",
    ".044444444444444444444444444440.",
    ".0FFFFFFFFFFFFFFFFFFFFFFFFFFFF0.",
    ".0FFFFFFFFFFFFFFFFFFFFFFFFFFFF0.",
    ".0FF33333333FFFFFFFFFFFFFFFFFF0.",
    ".0FF3BB3BBB3FFFFFFFFFFFFFFFFFF0.",
    ".0FF3BB3BBB3FFFFFFFFFFFFFFFFFF0.",
    ".0FF33333333FFFFFFFFFFFFFFFFFF0.",
    ".0FF3BB3BBB3FFFFFFFFFFFFFFFFFF0.",
    ".0FF3BB3BBB3FFFFFFFFFFFFFFFFFF0.",
    ".0FF3BB3BBB3FFFFFFFFFFFFFFFFFF0.",
    ".0FF33333333FFFFCFFFCFFFCFFFFF0.",
    ".0FFFFFFFFFFFFFCFCFCFCFCFCFFFF0.",
    ".0FFFFFFFFFFFFCFFFCFFFCFFFFFFF0.",
    ".0FFFFFFFFFFFFFFFFFFFFFFFFFFFF0.",
    ".0FFFFFFFFFFF888888888888888FF0.",
    ".0FFFFFFFFFFFFFFFFFFFFFFFFFFFF0.",
    ".0FFFFFFFFFFFFFFFFFFFFFFFFFFFF0.",
    ".0FFFFFFFFFFFFFFFFFFFFFFFFFFFF0.",
    ".000000000000000000000000000000.",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
    "................................",
};

const char* const kIcon16Rows[] = {
    "................",
    "................",
    "................",
    "0000000000000000",
    "0FFFFFFFFFFFFFF0",
    "0F33333FFFFFFFF0",
    "0F3BBB3FFFFFFFF0",
    "0F3BBB3FFFFFFFF0",
    "0F33333FCFCFCFF0",
    "0FFFFFFFCFCFCFF0",
    "0FFFFF88888888F0",
    "0FFFFFFFFFFFFFF0",
    "0000000000000000",
    "................",
    "................",
    "................",
};

const framework::ImageResource kIconImages[] = {{32, 32, kIcon32Rows}, {16, 16, kIcon16Rows}};

}  // namespace

framework::DescList<framework::BitmapResource> Bitmaps() {
    static const framework::BitmapResource bitmaps[] = {{IDB_SIGNING, {16, 15, kBitmapRows}}};
    return framework::List(bitmaps);
}

framework::DescList<framework::IconResource> Icons() {
    static const framework::IconResource icons[] = {{IDI_ABOUTDLL, framework::List(kIconImages)}};
    return framework::List(icons);
}

}  // namespace signing_resources
