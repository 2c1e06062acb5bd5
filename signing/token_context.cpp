#include "signing/token_context.h"

namespace signing {

TokenContext& Token() {
    static TokenContext context;
    return context;
}

}  // namespace signing
