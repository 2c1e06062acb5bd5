#include "platform/framework/prop_exchange.h"

#include <strings.h>

#include "platform/com/com_ptr.h"
#include "platform/text/codepage.h"

namespace {

constexpr const char* kVersionItem = "_Version";

// The VARIANT field of a value of that type; only the integer types exchange here.
bool Store(VARIANT& v, VARTYPE type, const void* value) {
    VariantInit(&v);
    switch (type) {
        case VT_I4: v.vt = VT_I4; v.lVal = *static_cast<const LONG*>(value); return true;
        case VT_UI4: v.vt = VT_I4; v.lVal = static_cast<LONG>(*static_cast<const ULONG*>(value)); return true;
        default: return false;
    }
}

void Copy(VARTYPE type, void* value, const void* from) {
    if (type == VT_I4) *static_cast<LONG*>(value) = *static_cast<const LONG*>(from);
    if (type == VT_UI4) *static_cast<ULONG*>(value) = *static_cast<const ULONG*>(from);
}

}  // namespace

bool CPropExchange::ExchangeVersion(DWORD& versionLoaded, DWORD versionDefault, bool convert) {
    if (IsLoading()) {
        ULONG stored = versionDefault;
        const bool ok = ExchangeProp(kVersionItem, VT_UI4, &stored, &versionDefault);
        versionLoaded = stored;
        version_ = stored;
        return ok;
    }
    ULONG written = convert ? versionDefault : versionLoaded;
    version_ = written;
    return ExchangeProp(kVersionItem, VT_UI4, &written, &versionDefault);
}

bool PX_Long(CPropExchange* pPX, const char* name, LONG& value, LONG defaultValue) {
    return pPX->ExchangeProp(name, VT_I4, &value, &defaultValue);
}

bool PX_ULong(CPropExchange* pPX, const char* name, ULONG& value, ULONG defaultValue) {
    return pPX->ExchangeProp(name, VT_UI4, &value, &defaultValue);
}

namespace framework {

bool PropBagExchange::ExchangeProp(const char* name, VARTYPE type, void* value, const void* defaultValue) {
    const std::u16string wide = text::FromUtf8(name);
    if (!IsLoading()) {
        VARIANT v;
        const bool written = Store(v, type, value) && SUCCEEDED(bag_->Write(wide.c_str(), &v));
        if (!written) failed_ = true;
        return written;
    }
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    if (FAILED(bag_->Read(wide.c_str(), &v, log_)) || v.vt != VT_I4) {
        VariantClear(&v);
        Copy(type, value, defaultValue);
        return true;
    }
    if (type == VT_I4) *static_cast<LONG*>(value) = v.lVal;
    if (type == VT_UI4) *static_cast<ULONG*>(value) = static_cast<ULONG>(v.lVal);
    return true;
}

bool ResetExchange::ExchangeProp(const char*, VARTYPE type, void* value, const void* defaultValue) {
    Copy(type, value, defaultValue);
    return true;
}

bool PropertyBag::NoCase::operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

PropertyBag::~PropertyBag() {
    for (auto& item : items_) VariantClear(&item.second);
}

HRESULT PropertyBag::QueryInterface(REFIID iid, void** object) {
    return com::QueryFrom(iid, object, {{IID_IPropertyBag, this}});
}

HRESULT PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (name == nullptr || value == nullptr) return E_POINTER;
    try {
        auto it = items_.find(text::ToUtf8(name));
        if (it == items_.end()) return E_INVALIDARG;
        const VARTYPE wanted = value->vt;
        VariantInit(value);
        if (wanted == VT_EMPTY) return VariantCopy(value, &it->second);
        return VariantChangeType(value, &it->second, 0, wanted);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT PropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (name == nullptr || value == nullptr) return E_POINTER;
    try {
        VARIANT copy;
        VariantInit(&copy);
        HRESULT hr = VariantCopyInd(&copy, value);
        if (FAILED(hr)) return hr;
        VARIANT& slot = items_[text::ToUtf8(name)];
        VariantClear(&slot);
        slot = copy;
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

bool PropertyBag::Has(const std::string& name) const { return items_.count(name) != 0; }

bool PropertyBag::GetLong(const std::string& name, LONG* value) const {
    auto it = items_.find(name);
    if (it == items_.end()) return false;
    VARIANT v;
    VariantInit(&v);
    if (FAILED(VariantChangeType(&v, &it->second, 0, VT_I4))) return false;
    *value = v.lVal;
    return true;
}

void PropertyBag::Remove(const std::string& name) {
    auto it = items_.find(name);
    if (it == items_.end()) return;
    VariantClear(&it->second);
    items_.erase(it);
}

}  // namespace framework
