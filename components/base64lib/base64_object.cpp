#include "components/base64lib/base64_object.h"

#include <new>

#include "components/base64lib/base64_codec.h"
#include "components/base64lib/base64_files.h"
#include "platform/com/com_ptr.h"
#include "platform/text/codepage.h"

namespace base64lib {
namespace {

const IID kIBase64 = MakeGuid(kIid);

BSTR AsciiBstr(const std::string& ascii) {
    std::u16string wide(ascii.begin(), ascii.end());
    return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

// Runs a method body; whatever it throws becomes a failing HRESULT.
template <class Body>
HRESULT Guard(std::string* lastError, Body body) {
    try {
        lastError->clear();
        return body();
    } catch (const std::bad_alloc&) {
        *lastError = "out of memory";
        return E_OUTOFMEMORY;
    } catch (...) {
        *lastError = "unexpected error";
        return E_UNEXPECTED;
    }
}

}  // namespace

HRESULT Base64::QueryInterface(REFIID iid, void** object) {
    return com::QueryFrom(iid, object, {{kIBase64, this}, {IID_IDispatch, this}});
}

HRESULT Base64::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT Base64::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT Base64::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
    return Map().GetIDsOfNames(iid, names, count, lcid, ids);
}

HRESULT Base64::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) {
    return Map().Invoke(this, id, iid, lcid, flags, params, result, excepInfo, argErr);
}

HRESULT Base64::EncodeText(BSTR text, BSTR* result) {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    return Guard(&lastError_, [&]() -> HRESULT {
        *result = AsciiBstr(Encode(text::ToAnsi(text::View(text))));
        return *result ? S_OK : E_OUTOFMEMORY;
    });
}

HRESULT Base64::DecodeToFile(BSTR base64, BSTR fileName) {
    return Guard(&lastError_, [&]() -> HRESULT {
        if (SysStringLen(fileName) == 0) {
            lastError_ = "no file name given";
            return E_INVALIDARG;
        }
        std::string bytes;
        if (!Decode(text::ToUtf8(text::View(base64)), &bytes)) {
            lastError_ = "the text is not base64";
            return E_INVALIDARG;
        }
        FileResult r = WriteWholeFile(text::ToUtf8(text::View(fileName)), bytes);
        lastError_ = r.message;
        return r.hr;
    });
}

HRESULT Base64::EncodeFile(BSTR* fileName, BSTR* result) {
    if (result == nullptr || fileName == nullptr) {
        if (result != nullptr) *result = nullptr;
        return E_POINTER;
    }
    *result = nullptr;
    return Guard(&lastError_, [&]() -> HRESULT {
        if (SysStringLen(*fileName) == 0) {
            lastError_ = "no file name given";
            return E_INVALIDARG;
        }
        // A NUL inside the name would make the system open a shorter name: another file.
        if (text::View(*fileName).find(u'\0') != std::u16string_view::npos) {
            lastError_ = "the file name holds a NUL character";
            return E_INVALIDARG;
        }
        std::string bytes;
        FileResult r = ReadWholeFile(text::ToUtf8(text::View(*fileName)), &bytes);
        if (FAILED(r.hr)) {
            lastError_ = r.message;
            return r.hr;
        }
        *result = AsciiBstr(Encode(bytes));
        return *result ? S_OK : E_OUTOFMEMORY;
    });
}

namespace {
void ThrowOnFailure(HRESULT hr, const std::string& description) {
    if (FAILED(hr)) throw com::DispatchError(hr, description, kProgId);
}
}  // namespace

BSTR Base64::DispEncodeText(BSTR text) {
    com::BStr result;
    ThrowOnFailure(EncodeText(text, result.put()), lastError_);
    return result.release();
}

void Base64::DispDecodeToFile(BSTR base64, BSTR fileName) {
    ThrowOnFailure(DecodeToFile(base64, fileName), lastError_);
}

BSTR Base64::DispEncodeFile(BSTR* fileName) {
    com::BStr result;
    ThrowOnFailure(EncodeFile(fileName, result.put()), lastError_);
    return result.release();
}

const com::DispatchMap<Base64>& Base64::Map() {
    static const com::DispatchMap<Base64> map(kProgId, {
        {kDispEncodeText, "EncodeText", VT_BSTR, {VT_BSTR}, &Base64::DispEncodeText},
        {kDispDecodeToFile, "DecodeToFile", VT_EMPTY, {VT_BSTR, VT_BSTR}, &Base64::DispDecodeToFile},
        {kDispEncodeFile, "EncodeFile", VT_BSTR, {VT_BSTR | VT_BYREF}, &Base64::DispEncodeFile},
    });
    return map;
}

}  // namespace base64lib
