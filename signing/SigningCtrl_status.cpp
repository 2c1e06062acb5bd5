// getErrorCode: the status register as decimal text.
#include <cstdio>

#include "platform/com/com_ptr.h"
#include "signing/SigningCtrl.h"
#include "signing/token_context.h"

BSTR CSigningCtrl::getErrorCode() {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(signing::Token().statusCode));
    return com::BStr::FromAnsi(text).release();
}
