// The "Base64Lib.Base64" object: the three methods through its own interface and through
// IDispatch.
#pragma once

#include <string>

#include "components/base64lib/base64_interface.h"
#include "platform/com/dispatch_map.h"
#include "platform/com/object.h"

namespace base64lib {

class Base64 : public com::Object<IBase64> {
public:
    // IUnknown
    HRESULT QueryInterface(REFIID iid, void** object) override;
    // IDispatch
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                   EXCEPINFO* excepInfo, UINT* argErr) override;
    // IBase64
    HRESULT EncodeText(BSTR text, BSTR* result) override;
    HRESULT DecodeToFile(BSTR base64, BSTR fileName) override;
    HRESULT EncodeFile(BSTR* fileName, BSTR* result) override;

    // The same through IDispatch: the result is the return value; a failure throws
    // com::DispatchError with what went wrong.
    BSTR DispEncodeText(BSTR text);
    void DispDecodeToFile(BSTR base64, BSTR fileName);
    BSTR DispEncodeFile(BSTR* fileName);

private:
    static const com::DispatchMap<Base64>& Map();
    // The last failure's description, for the dispatch path.
    std::string lastError_;
};

}  // namespace base64lib
