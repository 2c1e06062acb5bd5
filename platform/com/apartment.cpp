// The per-thread apartment count behind CoInitializeEx / CoUninitialize.
#include "platform/com/apartment.h"

#include "platform/com/creation.h"

namespace {

struct Apartment {
    int count = 0;
    DWORD model = COINIT_APARTMENTTHREADED;
};
thread_local Apartment t_apartment;

DWORD ModelOf(DWORD coInit) { return coInit & COINIT_APARTMENTTHREADED; }

}  // namespace

HRESULT CoInitializeEx(void*, DWORD coInit) {
    Apartment& a = t_apartment;
    if (a.count > 0) {
        if (a.model != ModelOf(coInit)) return RPC_E_CHANGED_MODE;
        ++a.count;
        return S_FALSE;
    }
    a.model = ModelOf(coInit);
    a.count = 1;
    return S_OK;
}

HRESULT CoInitialize(void* reserved) { return CoInitializeEx(reserved, COINIT_APARTMENTTHREADED); }

void CoUninitialize() {
    if (t_apartment.count > 0) --t_apartment.count;
}

namespace com {
bool ThreadInitialized() { return t_apartment.count > 0; }
}  // namespace com
